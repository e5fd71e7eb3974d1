<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="th">
<context>
    <name>zyne::VxZyneRainbow</name>
    <message>
        <source>Launch Zyne Plus RGB</source>
        <translation>เปิด Zyne Plus RGB</translation>
    </message>
    <message>
        <source> Run Zyne Plus RGB Program when Windows starts</source>
        <translation> เรียกใช้ Zyne Plus RGB เมื่อ Windows เริ่มทำงาน</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>ออก</translation>
    </message>
</context>
</TS>
