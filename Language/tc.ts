<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<context>
    <name>zyne::VxZyneRainbow</name>
    <message>
        <source>Launch Zyne Plus RGB</source>
        <translation>啟動 Zyne Plus RGB</translation>
    </message>
    <message>
        <source> Run Zyne Plus RGB Program when Windows starts</source>
        <translation> Windows 啟動時執行 Zyne Plus RGB</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>結束</translation>
    </message>
</context>
</TS>
