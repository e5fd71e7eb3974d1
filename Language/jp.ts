<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>MainView</name>
    <message>
        <source>Error_Code_H_0x0001</source>
        <translation>ファンコントローラーが見つかりません。ファンコントローラーが接続されているか確認してください。</translation>
    </message>
    <message>
        <source>Error_Code_H_0x0002</source>
        <translation>ファンコントローラーの番号が重複しています。ファンコントローラーの番号を設定し直してください。</translation>
    </message>
    <message>
        <source>Error_Code_H_0x0003</source>
        <translation>ファンコントローラーの番号が重複しています。ファンコントローラーの番号を設定し直してください。</translation>
    </message>
    <message>
        <source>Error_Code_H_0x0004</source>
        <translation>ファンコントローラーの番号が重複しています。ファンコントローラーの番号を設定し直してください。</translation>
    </message>
    <message>
        <source>Error_Code_H_0x0005</source>
        <translation>ファンコントローラーが見つかりましたが、アクセスが拒否されました。udev ルールをインストールし（README の「The udev rule」）、ファンコントローラーを接続し直してください。</translation>
    </message>
    <message>
        <source>Error_Code_S_0x0002</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error_Code_S_0x0010</source>
        <translation>オーディオ出力を受信できません。オーディオ出力が他のアプリで使用中でないか確認してください。</translation>
    </message>
    <message>
        <source>Error_Code_S_0x0011</source>
        <translation>Pwrix App と同期できません。Pwrix App がインストールされ、起動しているか確認してください。</translation>
    </message>
    <message>
        <source>Error Code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IPアドレス</translation>
    </message>
    <message>
        <source>PROFILE</source>
        <translation>プロファイル</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>パスワード</translation>
    </message>
    <message>
        <source>Open Script</source>
        <translation>スクリプトを開く</translation>
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
        <translation>単色</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>オフ</translation>
    </message>
    <message>
        <source>Snake</source>
        <translation>フロー</translation>
    </message>
    <message>
        <source>Cycle</source>
        <translation>RGBスペクトル</translation>
    </message>
    <message>
        <source>Radar</source>
        <translation>リップル</translation>
    </message>
    <message>
        <source>Blink</source>
        <translation>点滅</translation>
    </message>
    <message>
        <source>Breath</source>
        <translation>パルス</translation>
    </message>
    <message>
        <source>Whirl</source>
        <translation>ウェーブ</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>全点灯</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>カラーコピー</translation>
    </message>
    <message>
        <source>Music_1</source>
        <translation>サウンド_1</translation>
    </message>
    <message>
        <source>Music_2</source>
        <translation>サウンド_2</translation>
    </message>
    <message>
        <source>Music_3</source>
        <translation>サウンド_3</translation>
    </message>
    <message>
        <source>Mobile_1</source>
        <translation>モバイル_1</translation>
    </message>
    <message>
        <source>Mobile_2</source>
        <translation>モバイル_2</translation>
    </message>
    <message>
        <source>Mobile_3</source>
        <translation>モバイル_3</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>サーマル</translation>
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
        <translation>最速</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>速い</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>標準</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>遅い</translation>
    </message>
    <message>
        <source>Perfor-mance</source>
        <translation>高性能</translation>
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
        <translation>高性能</translation>
    </message>
    <message>
        <source>Color Mode</source>
        <translation>カラーモード</translation>
    </message>
    <message>
        <source>Light Mode</source>
        <translation>ライトモード</translation>
    </message>
    <message>
        <source>Light Speed</source>
        <translation>ライト速度</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>完了</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>初期値</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>カラー</translation>
    </message>
    <message>
        <source>LED BRIGHTNESS</source>
        <translation>LED 輝度</translation>
    </message>
    <message>
        <source>FAN</source>
        <translation>ファン</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Error_Code_S_0x0010</source>
        <translation>オーディオ出力を受信できません。オーディオ出力が他のアプリで使用中でないか確認してください。</translation>
    </message>
</context>
<context>
    <name>VxZyneRainbow</name>
    <message>
        <source>Launch Zyne Plus RGB</source>
        <translation>Zyne Plus RGB を開く</translation>
    </message>
    <message>
        <source> Run Zyne Plus RGB Program when Windows starts</source>
        <translation> Windows 起動時に Zyne Plus RGB を実行</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>終了</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IPアドレス</translation>
    </message>
    <message>
        <source>A fan has stopped</source>
        <translation>ファンが停止しました</translation>
    </message>
    <message>
        <source>Controller No. %1, fan %2 does not turn.</source>
        <translation>コントローラー %1 のファン %2 が回転していません。</translation>
    </message>
    <message>
        <source>Controller found, but access was refused</source>
        <translation>コントローラーが見つかりましたが、アクセスが拒否されました</translation>
    </message>
    <message>
        <source>%1: install the udev rule (README, &quot;The udev rule&quot;).</source>
        <translation>%1: udev ルールをインストールしてください（README の「The udev rule」）。</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>表示</translation>
    </message>
</context>
<context>
    <name>ZyneRGBFanView</name>
    <message>
        <source>Blink</source>
        <translation>点滅</translation>
    </message>
    <message>
        <source>FAN</source>
        <translation>ファン</translation>
    </message>
    <message>
        <source>LED BRIGHTNESS</source>
        <translation>LED 輝度</translation>
    </message>
    <message>
        <source>Perfor-mance</source>
        <translation>高性能</translation>
    </message>
    <message>
        <source>Performance</source>
        <translation>高性能</translation>
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
        <translation>ファンモード</translation>
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
        <translation>コントローラー No. </translation>
    </message>
    <message>
        <source>A monitored fan on this controller has stopped. Please check that it is connected and that nothing blocks its blades.</source>
        <translation>このコントローラーの監視中のファンが停止しました。ファンが接続されているか、羽根に何かが挟まっていないか確認してください。</translation>
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
        <translation>情報</translation>
    </message>
    <message>
        <source>SENSOR READINGS</source>
        <translation>センサーの値</translation>
    </message>
    <message>
        <source>No sensor readings. The hardware monitors of this PC could not be read.</source>
        <translation>センサーの値がありません。この PC のハードウェアモニターを読み取れませんでした。</translation>
    </message>
</context>
<context>
    <name>InSeries</name>
    <message>
        <source>All Fans</source>
        <translation>全ファン</translation>
    </message>
    <message>
        <source>Each Fan</source>
        <translation>ファンごと</translation>
    </message>
    <message>
        <source>Color Mode</source>
        <translation>カラーモード</translation>
    </message>
    <message>
        <source>Light Mode</source>
        <translation>ライトモード</translation>
    </message>
    <message>
        <source>Light Speed</source>
        <translation>ライト速度</translation>
    </message>
</context>
<context>
    <name>AutoUpdate</name>
    <message>
        <source>Update Note:</source>
        <translation>アップデート情報：</translation>
    </message>
    <message>
        <source>A new version can be downloaded from:</source>
        <translation>新しいバージョンは次の場所からダウンロードできます：</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
</context>
<context>
    <name>CouplerPlusView</name>
    <message>
        <source>Monitor</source>
        <translation>監視</translation>
    </message>
    <message>
        <source>Light Mode</source>
        <translation>ライトモード</translation>
    </message>
    <message>
        <source>RGB</source>
        <translation>RGB</translation>
    </message>
    <message>
        <source>Flash</source>
        <translation>フラッシュ</translation>
    </message>
    <message>
        <source>Blink</source>
        <translation>点滅</translation>
    </message>
    <message>
        <source>LED BRIGHTNESS</source>
        <translation>LED 輝度</translation>
    </message>
</context>
</TS>
