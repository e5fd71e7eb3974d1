<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>zyne::VxZyneRainbow</name>
    <message>
        <source>Launch Zyne Plus RGB</source>
        <translation>Zyne Plus RGB を起動</translation>
    </message>
    <message>
        <source> Run Zyne Plus RGB Program when Windows starts</source>
        <translation> Windows 起動時に Zyne Plus RGB を実行</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>終了</translation>
    </message>
</context>
</TS>
