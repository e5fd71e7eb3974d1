<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<context>
    <name>MainView</name>
    <message>
        <source>Error_Code_H_0x0001</source>
        <translation>找不到風扇控制器，請檢查風扇控制器是否已連接。</translation>
    </message>
    <message>
        <source>Error_Code_H_0x0002</source>
        <translation>風扇控制器編號重複，請重新設定風扇控制器編號。</translation>
    </message>
    <message>
        <source>Error_Code_H_0x0003</source>
        <translation>風扇控制器編號重複，請重新設定風扇控制器編號。</translation>
    </message>
    <message>
        <source>Error_Code_H_0x0004</source>
        <translation>風扇控制器編號重複，請重新設定風扇控制器編號。</translation>
    </message>
    <message>
        <source>Error_Code_H_0x0005</source>
        <translation>已找到風扇控制器，但存取遭拒。請安裝 udev 規則（README，「The udev rule」），然後重新連接風扇控制器。</translation>
    </message>
    <message>
        <source>Error_Code_S_0x0002</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error_Code_S_0x0010</source>
        <translation>無法接收音源輸出，請檢查音源輸出是否被佔用。</translation>
    </message>
    <message>
        <source>Error_Code_S_0x0011</source>
        <translation>無法同步 Pwrix App，請確認 Pwrix App 已安裝並已執行。</translation>
    </message>
    <message>
        <source>Error Code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP 位址</translation>
    </message>
    <message>
        <source>PROFILE</source>
        <translation>設定檔</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密碼</translation>
    </message>
    <message>
        <source>Open Script</source>
        <translation>開啟腳本</translation>
    </message>
    <message>
        <source>SAVE</source>
        <translation>儲存</translation>
    </message>
    <message>
        <source>TEMP</source>
        <translation>溫度</translation>
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
        <translation>單色</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>關閉</translation>
    </message>
    <message>
        <source>Snake</source>
        <translation>流動</translation>
    </message>
    <message>
        <source>Cycle</source>
        <translation>RGB 光譜</translation>
    </message>
    <message>
        <source>Radar</source>
        <translation>漣漪</translation>
    </message>
    <message>
        <source>Blink</source>
        <translation>閃爍</translation>
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
        <translation>複製顏色</translation>
    </message>
    <message>
        <source>Music_1</source>
        <translation>聲控_1</translation>
    </message>
    <message>
        <source>Music_2</source>
        <translation>聲控_2</translation>
    </message>
    <message>
        <source>Music_3</source>
        <translation>聲控_3</translation>
    </message>
    <message>
        <source>Mobile_1</source>
        <translation>手機_1</translation>
    </message>
    <message>
        <source>Mobile_2</source>
        <translation>手機_2</translation>
    </message>
    <message>
        <source>Mobile_3</source>
        <translation>手機_3</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>溫控</translation>
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
        <translation>極速</translation>
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
        <translation>效能</translation>
    </message>
    <message>
        <source>Silent</source>
        <translation>靜音</translation>
    </message>
    <message>
        <source>PWM</source>
        <translation>PWM</translation>
    </message>
    <message>
        <source>Performance</source>
        <translation>效能</translation>
    </message>
    <message>
        <source>Color Mode</source>
        <translation>色彩模式</translation>
    </message>
    <message>
        <source>Light Mode</source>
        <translation>燈光模式</translation>
    </message>
    <message>
        <source>Light Speed</source>
        <translation>燈光速度</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>完成</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>預設</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>顏色</translation>
    </message>
    <message>
        <source>LED BRIGHTNESS</source>
        <translation>LED 亮度</translation>
    </message>
    <message>
        <source>FAN</source>
        <translation>風扇</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Error_Code_S_0x0010</source>
        <translation>無法接收音源輸出，請檢查音源輸出是否被佔用。</translation>
    </message>
</context>
<context>
    <name>VxZyneRainbow</name>
    <message>
        <source>Launch Zyne Plus RGB</source>
        <translation>開啟 Zyne Plus RGB</translation>
    </message>
    <message>
        <source> Run Zyne Plus RGB Program when Windows starts</source>
        <translation> Windows 啟動時執行 Zyne Plus RGB</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>結束</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP 位址</translation>
    </message>
    <message>
        <source>A fan has stopped</source>
        <translation>有風扇已停止轉動</translation>
    </message>
    <message>
        <source>Controller No. %1, fan %2 does not turn.</source>
        <translation>控制器 %1 號的風扇 %2 沒有轉動。</translation>
    </message>
    <message>
        <source>Controller found, but access was refused</source>
        <translation>已找到控制器，但存取遭拒</translation>
    </message>
    <message>
        <source>%1: install the udev rule (README, &quot;The udev rule&quot;).</source>
        <translation>%1：請安裝 udev 規則（README，「The udev rule」）。</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>顯示</translation>
    </message>
</context>
<context>
    <name>ZyneRGBFanView</name>
    <message>
        <source>Blink</source>
        <translation>閃爍</translation>
    </message>
    <message>
        <source>FAN</source>
        <translation>風扇</translation>
    </message>
    <message>
        <source>LED BRIGHTNESS</source>
        <translation>LED 亮度</translation>
    </message>
    <message>
        <source>Perfor-mance</source>
        <translation>效能</translation>
    </message>
    <message>
        <source>Performance</source>
        <translation>效能</translation>
    </message>
    <message>
        <source>Silent</source>
        <translation>靜音</translation>
    </message>
    <message>
        <source>PWM</source>
        <translation>PWM</translation>
    </message>
    <message>
        <source>FAN MODE</source>
        <translation>風扇模式</translation>
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
        <translation>控制器編號 </translation>
    </message>
    <message>
        <source>A monitored fan on this controller has stopped. Please check that it is connected and that nothing blocks its blades.</source>
        <translation>此控制器上受監控的風扇已停止運轉。請檢查風扇是否已連接，以及扇葉是否被異物卡住。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>確定</translation>
    </message>
</context>
<context>
    <name>InfoView</name>
    <message>
        <source>Information</source>
        <translation>資訊</translation>
    </message>
    <message>
        <source>SENSOR READINGS</source>
        <translation>感測器讀數</translation>
    </message>
    <message>
        <source>No sensor readings. The hardware monitors of this PC could not be read.</source>
        <translation>沒有感測器讀數。無法讀取此電腦的硬體監控資料。</translation>
    </message>
</context>
<context>
    <name>InSeries</name>
    <message>
        <source>All Fans</source>
        <translation>所有風扇</translation>
    </message>
    <message>
        <source>Each Fan</source>
        <translation>各風扇自訂</translation>
    </message>
    <message>
        <source>Color Mode</source>
        <translation>色彩模式</translation>
    </message>
    <message>
        <source>Light Mode</source>
        <translation>燈光模式</translation>
    </message>
    <message>
        <source>Light Speed</source>
        <translation>燈光速度</translation>
    </message>
</context>
<context>
    <name>AutoUpdate</name>
    <message>
        <source>Update Note:</source>
        <translation>更新說明：</translation>
    </message>
    <message>
        <source>A new version can be downloaded from:</source>
        <translation>新版本可從以下網址下載：</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>關閉</translation>
    </message>
</context>
<context>
    <name>CouplerPlusView</name>
    <message>
        <source>Monitor</source>
        <translation>監控</translation>
    </message>
    <message>
        <source>Light Mode</source>
        <translation>燈光模式</translation>
    </message>
    <message>
        <source>RGB</source>
        <translation>RGB</translation>
    </message>
    <message>
        <source>Flash</source>
        <translation>閃光</translation>
    </message>
    <message>
        <source>Blink</source>
        <translation>閃爍</translation>
    </message>
    <message>
        <source>LED BRIGHTNESS</source>
        <translation>LED 亮度</translation>
    </message>
</context>
</TS>
