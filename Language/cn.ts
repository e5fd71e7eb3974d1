<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>MainView</name>
    <message>
        <source>Error_Code_H_0x0001</source>
        <translation>找不到风扇控制器，请检查风扇控制器是否已连接。</translation>
    </message>
    <message>
        <source>Error_Code_H_0x0002</source>
        <translation>风扇控制器编号重复，请重新设置风扇控制器编号。</translation>
    </message>
    <message>
        <source>Error_Code_H_0x0003</source>
        <translation>风扇控制器编号重复，请重新设置风扇控制器编号。</translation>
    </message>
    <message>
        <source>Error_Code_H_0x0004</source>
        <translation>风扇控制器编号重复，请重新设置风扇控制器编号。</translation>
    </message>
    <message>
        <source>Error_Code_H_0x0005</source>
        <translation>已找到风扇控制器，但访问被拒绝。请安装 udev 规则（README，“The udev rule”），然后重新连接风扇控制器。</translation>
    </message>
    <message>
        <source>Error_Code_S_0x0002</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error_Code_S_0x0010</source>
        <translation>无法接收音源输出，请检查音源输出是否被占用。</translation>
    </message>
    <message>
        <source>Error_Code_S_0x0011</source>
        <translation>无法同步 Pwrix App，请确认 Pwrix App 已安装并已运行。</translation>
    </message>
    <message>
        <source>Error Code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP 地址</translation>
    </message>
    <message>
        <source>PROFILE</source>
        <translation>配置</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密码</translation>
    </message>
    <message>
        <source>Open Script</source>
        <translation>打开脚本</translation>
    </message>
    <message>
        <source>SAVE</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>TEMP</source>
        <translation>温度</translation>
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
        <translation>单色</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Snake</source>
        <translation>流动</translation>
    </message>
    <message>
        <source>Cycle</source>
        <translation>RGB 光谱</translation>
    </message>
    <message>
        <source>Radar</source>
        <translation>涟漪</translation>
    </message>
    <message>
        <source>Blink</source>
        <translation>闪烁</translation>
    </message>
    <message>
        <source>Breath</source>
        <translation>呼吸</translation>
    </message>
    <message>
        <source>Whirl</source>
        <translation>波浪</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>全亮</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制颜色</translation>
    </message>
    <message>
        <source>Music_1</source>
        <translation>声控_1</translation>
    </message>
    <message>
        <source>Music_2</source>
        <translation>声控_2</translation>
    </message>
    <message>
        <source>Music_3</source>
        <translation>声控_3</translation>
    </message>
    <message>
        <source>Mobile_1</source>
        <translation>手机_1</translation>
    </message>
    <message>
        <source>Mobile_2</source>
        <translation>手机_2</translation>
    </message>
    <message>
        <source>Mobile_3</source>
        <translation>手机_3</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>温控</translation>
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
        <translation>极速</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>快</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>正常</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>慢</translation>
    </message>
    <message>
        <source>Perfor-mance</source>
        <translation>性能</translation>
    </message>
    <message>
        <source>Silent</source>
        <translation>静音</translation>
    </message>
    <message>
        <source>PWM</source>
        <translation>PWM</translation>
    </message>
    <message>
        <source>Performance</source>
        <translation>性能</translation>
    </message>
    <message>
        <source>Color Mode</source>
        <translation>色彩模式</translation>
    </message>
    <message>
        <source>Light Mode</source>
        <translation>灯光模式</translation>
    </message>
    <message>
        <source>Light Speed</source>
        <translation>灯光速度</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>完成</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>默认</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>颜色</translation>
    </message>
    <message>
        <source>LED BRIGHTNESS</source>
        <translation>LED 亮度</translation>
    </message>
    <message>
        <source>FAN</source>
        <translation>风扇</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Error_Code_S_0x0010</source>
        <translation>无法接收音源输出，请检查音源输出是否被占用。</translation>
    </message>
</context>
<context>
    <name>VxZyneRainbow</name>
    <message>
        <source>Launch Zyne Plus RGB</source>
        <translation>打开 Zyne Plus RGB</translation>
    </message>
    <message>
        <source> Run Zyne Plus RGB Program when Windows starts</source>
        <translation> Windows 启动时运行 Zyne Plus RGB</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP 地址</translation>
    </message>
    <message>
        <source>A fan has stopped</source>
        <translation>有风扇已停止转动</translation>
    </message>
    <message>
        <source>Controller No. %1, fan %2 does not turn.</source>
        <translation>控制器 %1 号的风扇 %2 没有转动。</translation>
    </message>
    <message>
        <source>Controller found, but access was refused</source>
        <translation>已找到控制器，但访问被拒绝</translation>
    </message>
    <message>
        <source>%1: install the udev rule (README, &quot;The udev rule&quot;).</source>
        <translation>%1：请安装 udev 规则（README，“The udev rule”）。</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>显示</translation>
    </message>
</context>
<context>
    <name>ZyneRGBFanView</name>
    <message>
        <source>Blink</source>
        <translation>闪烁</translation>
    </message>
    <message>
        <source>FAN</source>
        <translation>风扇</translation>
    </message>
    <message>
        <source>LED BRIGHTNESS</source>
        <translation>LED 亮度</translation>
    </message>
    <message>
        <source>Perfor-mance</source>
        <translation>性能</translation>
    </message>
    <message>
        <source>Performance</source>
        <translation>性能</translation>
    </message>
    <message>
        <source>Silent</source>
        <translation>静音</translation>
    </message>
    <message>
        <source>PWM</source>
        <translation>PWM</translation>
    </message>
    <message>
        <source>FAN MODE</source>
        <translation>风扇模式</translation>
    </message>
</context>
<context>
    <name>AlertView</name>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Controller No. </source>
        <translation>控制器编号 </translation>
    </message>
    <message>
        <source>A monitored fan on this controller has stopped. Please check that it is connected and that nothing blocks its blades.</source>
        <translation>此控制器上受监控的风扇已停止运转。请检查风扇是否已连接，以及扇叶是否被异物卡住。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>InfoView</name>
    <message>
        <source>Information</source>
        <translation>信息</translation>
    </message>
    <message>
        <source>SENSOR READINGS</source>
        <translation>传感器读数</translation>
    </message>
    <message>
        <source>No sensor readings. The hardware monitors of this PC could not be read.</source>
        <translation>没有传感器读数。无法读取此电脑的硬件监控数据。</translation>
    </message>
</context>
<context>
    <name>InSeries</name>
    <message>
        <source>All Fans</source>
        <translation>所有风扇</translation>
    </message>
    <message>
        <source>Each Fan</source>
        <translation>各风扇自定</translation>
    </message>
    <message>
        <source>Color Mode</source>
        <translation>色彩模式</translation>
    </message>
    <message>
        <source>Light Mode</source>
        <translation>灯光模式</translation>
    </message>
    <message>
        <source>Light Speed</source>
        <translation>灯光速度</translation>
    </message>
</context>
<context>
    <name>AutoUpdate</name>
    <message>
        <source>Update Note:</source>
        <translation>更新说明：</translation>
    </message>
    <message>
        <source>A new version can be downloaded from:</source>
        <translation>新版本可从以下网址下载：</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>CouplerPlusView</name>
    <message>
        <source>Monitor</source>
        <translation>监控</translation>
    </message>
    <message>
        <source>Light Mode</source>
        <translation>灯光模式</translation>
    </message>
    <message>
        <source>RGB</source>
        <translation>RGB</translation>
    </message>
    <message>
        <source>Flash</source>
        <translation>闪光</translation>
    </message>
    <message>
        <source>Blink</source>
        <translation>闪烁</translation>
    </message>
    <message>
        <source>LED BRIGHTNESS</source>
        <translation>LED 亮度</translation>
    </message>
</context>
</TS>
