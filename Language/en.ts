<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>MainView</name>
    <message>
        <source>Error_Code_H_0x0001</source>
        <translation>Could not find Fan Controller, please check the Fan Controller is connected.</translation>
    </message>
    <message>
        <source>Error_Code_H_0x0002</source>
        <translation>Fan Controller number is repeated, please reset the Fan Controller number.</translation>
    </message>
    <message>
        <source>Error_Code_H_0x0003</source>
        <translation>Fan Controller number is repeated, please reset the Fan Controller number.</translation>
    </message>
    <message>
        <source>Error_Code_H_0x0004</source>
        <translation>Fan Controller number is repeated, please reset the Fan Controller number.</translation>
    </message>
    <message>
        <source>Error_Code_H_0x0005</source>
        <translation>Fan Controller found, but access to it was refused. Install the udev rule (README, &quot;The udev rule&quot;) and plug the Fan Controller in again.</translation>
    </message>
    <message>
        <source>Error_Code_S_0x0002</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error_Code_S_0x0010</source>
        <translation>The audio source output could not be received. Please check the audio source output whether is occupied.</translation>
    </message>
    <message>
        <source>Error_Code_S_0x0011</source>
        <translation>Could not synchronize Pwrix App, please check the Pwrix App is installed and executed.</translation>
    </message>
    <message>
        <source>Error Code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP Address</translation>
    </message>
    <message>
        <source>PROFILE</source>
        <translation>PROFILE</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>Open Script</source>
        <translation>Open Script</translation>
    </message>
    <message>
        <source>SAVE</source>
        <translation>SAVE</translation>
    </message>
    <message>
        <source>TEMP</source>
        <translation>TEMP</translation>
    </message>
    <message>
        <source>en</source>
        <translation>English</translation>
    </message>
    <message>
        <source>tc</source>
        <translation>正體中文</translation>
    </message>
    <message>
        <source>cn</source>
        <translation>簡體中文</translation>
    </message>
    <message>
        <source>de</source>
        <translation>Deutsch</translation>
    </message>
    <message>
        <source>fr</source>
        <translation>Français</translation>
    </message>
    <message>
        <source>jp</source>
        <translation>日本語</translation>
    </message>
    <message>
        <source>th</source>
        <translation>ไทย</translation>
    </message>
</context>
<context>
    <name>RainbowFan</name>
    <message>
        <source>RGB</source>
        <translation>RGB</translation>
    </message>
    <message>
        <source>Single</source>
        <translation>Single</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>Snake</source>
        <translation>Flow</translation>
    </message>
    <message>
        <source>Cycle</source>
        <translation>RGB Spectrum</translation>
    </message>
    <message>
        <source>Radar</source>
        <translation>Ripple</translation>
    </message>
    <message>
        <source>Blink</source>
        <translation>Blink</translation>
    </message>
    <message>
        <source>Breath</source>
        <translation>Pulse</translation>
    </message>
    <message>
        <source>Whirl</source>
        <translation>Wave</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Full Lighted</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copy Color</translation>
    </message>
    <message>
        <source>Music_1</source>
        <translation>Sound Control_1</translation>
    </message>
    <message>
        <source>Music_2</source>
        <translation>Sound Control_2</translation>
    </message>
    <message>
        <source>Music_3</source>
        <translation>Sound Control_3</translation>
    </message>
    <message>
        <source>Mobile_1</source>
        <translation>Mobile_1</translation>
    </message>
    <message>
        <source>Mobile_2</source>
        <translation>Mobile_2</translation>
    </message>
    <message>
        <source>Mobile_3</source>
        <translation>Mobile_3</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>Thermal</translation>
    </message>
    <message>
        <source>Cross</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>V.X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shooting Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Black Hole</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aurora</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>N3 RGB Sync</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>So Fast</source>
        <translation>Extreme</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>Fast</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>Slow</translation>
    </message>
    <message>
        <source>Perfor-mance</source>
        <translation>Perfor-mance</translation>
    </message>
    <message>
        <source>Silent</source>
        <translation>Silent</translation>
    </message>
    <message>
        <source>PWM</source>
        <translation>PWM</translation>
    </message>
    <message>
        <source>Performance</source>
        <translation>Performance</translation>
    </message>
    <message>
        <source>Color Mode</source>
        <translation>Color Mode</translation>
    </message>
    <message>
        <source>Light Mode</source>
        <translation>Light Mode</translation>
    </message>
    <message>
        <source>Light Speed</source>
        <translation>Light Speed</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Color</translation>
    </message>
    <message>
        <source>LED BRIGHTNESS</source>
        <translation>LED BRIGHTNESS</translation>
    </message>
    <message>
        <source>FAN</source>
        <translation>FAN</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Error_Code_S_0x0010</source>
        <translation>The audio source output could not be received. Please check the audio source output whether is occupied.</translation>
    </message>
</context>
<context>
    <name>VxZyneRainbow</name>
    <message>
        <source>Launch Zyne Plus RGB</source>
        <translation>Launch Zyne Plus RGB</translation>
    </message>
    <message>
        <source> Run Zyne Plus RGB Program when Windows starts</source>
        <translation> Run Zyne Plus RGB Program when Windows starts</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP Address</translation>
    </message>
    <message>
        <source>A fan has stopped</source>
        <translation>A fan has stopped</translation>
    </message>
    <message>
        <source>Controller No. %1, fan %2 does not turn.</source>
        <translation>Controller No. %1, fan %2 does not turn.</translation>
    </message>
    <message>
        <source>Controller found, but access was refused</source>
        <translation>Controller found, but access was refused</translation>
    </message>
    <message>
        <source>%1: install the udev rule (README, &quot;The udev rule&quot;).</source>
        <translation>%1: install the udev rule (README, &quot;The udev rule&quot;).</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Show</translation>
    </message>
</context>
<context>
    <name>ZyneRGBFanView</name>
    <message>
        <source>Blink</source>
        <translation>Blink</translation>
    </message>
    <message>
        <source>FAN</source>
        <translation>FAN</translation>
    </message>
    <message>
        <source>LED BRIGHTNESS</source>
        <translation>LED BRIGHTNESS</translation>
    </message>
    <message>
        <source>Perfor-mance</source>
        <translation>Perfor-mance</translation>
    </message>
    <message>
        <source>Performance</source>
        <translation>Performance</translation>
    </message>
    <message>
        <source>Silent</source>
        <translation>Silent</translation>
    </message>
    <message>
        <source>PWM</source>
        <translation>PWM</translation>
    </message>
    <message>
        <source>FAN MODE</source>
        <translation>FAN MODE</translation>
    </message>
</context>
<context>
    <name>AlertView</name>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Controller No. </source>
        <translation>Controller No. </translation>
    </message>
    <message>
        <source>A monitored fan on this controller has stopped. Please check that it is connected and that nothing blocks its blades.</source>
        <translation>A monitored fan on this controller has stopped. Please check that it is connected and that nothing blocks its blades.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>InfoView</name>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>SENSOR READINGS</source>
        <translation>SENSOR READINGS</translation>
    </message>
    <message>
        <source>No sensor readings. The hardware monitors of this PC could not be read.</source>
        <translation>No sensor readings. The hardware monitors of this PC could not be read.</translation>
    </message>
</context>
<context>
    <name>InSeries</name>
    <message>
        <source>All Fans</source>
        <translation>All Fans</translation>
    </message>
    <message>
        <source>Each Fan</source>
        <translation>Each Fan</translation>
    </message>
    <message>
        <source>Color Mode</source>
        <translation>Color Mode</translation>
    </message>
    <message>
        <source>Light Mode</source>
        <translation>Light Mode</translation>
    </message>
    <message>
        <source>Light Speed</source>
        <translation>Light Speed</translation>
    </message>
</context>
<context>
    <name>AutoUpdate</name>
    <message>
        <source>Update Note:</source>
        <translation>Update Note:</translation>
    </message>
    <message>
        <source>A new version can be downloaded from:</source>
        <translation>A new version can be downloaded from:</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>CouplerPlusView</name>
    <message>
        <source>Monitor</source>
        <translation>Monitor</translation>
    </message>
    <message>
        <source>Light Mode</source>
        <translation>Light Mode</translation>
    </message>
    <message>
        <source>RGB</source>
        <translation>RGB</translation>
    </message>
    <message>
        <source>Flash</source>
        <translation>Flash</translation>
    </message>
    <message>
        <source>Blink</source>
        <translation>Blink</translation>
    </message>
    <message>
        <source>LED BRIGHTNESS</source>
        <translation>LED BRIGHTNESS</translation>
    </message>
</context>
</TS>
