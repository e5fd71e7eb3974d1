<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>MainView</name>
    <message>
        <source>Error_Code_H_0x0001</source>
        <translation>Kein Lüftersteuergerät gefunden. Bitte prüfen Sie, ob das Lüftersteuergerät angeschlossen ist.</translation>
    </message>
    <message>
        <source>Error_Code_H_0x0002</source>
        <translation>Die Nummer des Lüftersteuergeräts ist doppelt vergeben. Bitte stellen Sie die Nummer des Lüftersteuergeräts neu ein.</translation>
    </message>
    <message>
        <source>Error_Code_H_0x0003</source>
        <translation>Die Nummer des Lüftersteuergeräts ist doppelt vergeben. Bitte stellen Sie die Nummer des Lüftersteuergeräts neu ein.</translation>
    </message>
    <message>
        <source>Error_Code_H_0x0004</source>
        <translation>Die Nummer des Lüftersteuergeräts ist doppelt vergeben. Bitte stellen Sie die Nummer des Lüftersteuergeräts neu ein.</translation>
    </message>
    <message>
        <source>Error_Code_H_0x0005</source>
        <translation>Lüftersteuergerät gefunden, aber der Zugriff wurde verweigert. Bitte installieren Sie die udev-Regel (README, „The udev rule“) und schließen Sie das Lüftersteuergerät erneut an.</translation>
    </message>
    <message>
        <source>Error_Code_S_0x0002</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error_Code_S_0x0010</source>
        <translation>Die Audioausgabe kann nicht empfangen werden. Bitte prüfen Sie, ob die Audioausgabe von einem anderen Programm belegt ist.</translation>
    </message>
    <message>
        <source>Error_Code_S_0x0011</source>
        <translation>Pwrix App kann nicht synchronisiert werden. Bitte prüfen Sie, ob die Pwrix App installiert ist und läuft.</translation>
    </message>
    <message>
        <source>Error Code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP-Adresse</translation>
    </message>
    <message>
        <source>PROFILE</source>
        <translation>PROFIL</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>Open Script</source>
        <translation>Skript öffnen</translation>
    </message>
    <message>
        <source>SAVE</source>
        <translation>SPEICHERN</translation>
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
        <translation>Einfarbig</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>AUS</translation>
    </message>
    <message>
        <source>Snake</source>
        <translation>Fließen</translation>
    </message>
    <message>
        <source>Cycle</source>
        <translation>RGB-Spektrum</translation>
    </message>
    <message>
        <source>Radar</source>
        <translation>Kräuseln</translation>
    </message>
    <message>
        <source>Blink</source>
        <translation>Blinken</translation>
    </message>
    <message>
        <source>Breath</source>
        <translation>Pulsieren</translation>
    </message>
    <message>
        <source>Whirl</source>
        <translation>Welle</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Dauerlicht</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Farbe kopieren</translation>
    </message>
    <message>
        <source>Music_1</source>
        <translation>Klangsteuerung_1</translation>
    </message>
    <message>
        <source>Music_2</source>
        <translation>Klangsteuerung_2</translation>
    </message>
    <message>
        <source>Music_3</source>
        <translation>Klangsteuerung_3</translation>
    </message>
    <message>
        <source>Mobile_1</source>
        <translation>Mobil_1</translation>
    </message>
    <message>
        <source>Mobile_2</source>
        <translation>Mobil_2</translation>
    </message>
    <message>
        <source>Mobile_3</source>
        <translation>Mobil_3</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>Temperatur</translation>
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
        <translation>Extrem</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>Schnell</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>Langsam</translation>
    </message>
    <message>
        <source>Perfor-mance</source>
        <translation>Leis-tung</translation>
    </message>
    <message>
        <source>Silent</source>
        <translation>Leise</translation>
    </message>
    <message>
        <source>PWM</source>
        <translation>PWM</translation>
    </message>
    <message>
        <source>Performance</source>
        <translation>Leistung</translation>
    </message>
    <message>
        <source>Color Mode</source>
        <translation>Farbmodus</translation>
    </message>
    <message>
        <source>Light Mode</source>
        <translation>Lichtmodus</translation>
    </message>
    <message>
        <source>Light Speed</source>
        <translation>Lichttempo</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>LED BRIGHTNESS</source>
        <translation>LED-HELLIGKEIT</translation>
    </message>
    <message>
        <source>FAN</source>
        <translation>LÜFTER</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Error_Code_S_0x0010</source>
        <translation>Die Audioausgabe kann nicht empfangen werden. Bitte prüfen Sie, ob die Audioausgabe von einem anderen Programm belegt ist.</translation>
    </message>
</context>
<context>
    <name>VxZyneRainbow</name>
    <message>
        <source>Launch Zyne Plus RGB</source>
        <translation>Zyne Plus RGB öffnen</translation>
    </message>
    <message>
        <source> Run Zyne Plus RGB Program when Windows starts</source>
        <translation> Zyne Plus RGB beim Start von Windows ausführen</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP-Adresse</translation>
    </message>
    <message>
        <source>A fan has stopped</source>
        <translation>Ein Lüfter ist stehen geblieben</translation>
    </message>
    <message>
        <source>Controller No. %1, fan %2 does not turn.</source>
        <translation>Steuergerät Nr. %1, Lüfter %2 dreht sich nicht.</translation>
    </message>
    <message>
        <source>Controller found, but access was refused</source>
        <translation>Steuergerät gefunden, aber der Zugriff wurde verweigert</translation>
    </message>
    <message>
        <source>%1: install the udev rule (README, &quot;The udev rule&quot;).</source>
        <translation>%1: Bitte installieren Sie die udev-Regel (README, „The udev rule“).</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Anzeigen</translation>
    </message>
</context>
<context>
    <name>ZyneRGBFanView</name>
    <message>
        <source>Blink</source>
        <translation>Blinken</translation>
    </message>
    <message>
        <source>FAN</source>
        <translation>LÜFTER</translation>
    </message>
    <message>
        <source>LED BRIGHTNESS</source>
        <translation>LED-HELLIGKEIT</translation>
    </message>
    <message>
        <source>Perfor-mance</source>
        <translation>Leis-tung</translation>
    </message>
    <message>
        <source>Performance</source>
        <translation>Leistung</translation>
    </message>
    <message>
        <source>Silent</source>
        <translation>Leise</translation>
    </message>
    <message>
        <source>PWM</source>
        <translation>PWM</translation>
    </message>
    <message>
        <source>FAN MODE</source>
        <translation>LÜFTERMODUS</translation>
    </message>
</context>
<context>
    <name>AlertView</name>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Controller No. </source>
        <translation>Steuergerät Nr. </translation>
    </message>
    <message>
        <source>A monitored fan on this controller has stopped. Please check that it is connected and that nothing blocks its blades.</source>
        <translation>Ein überwachter Lüfter an diesem Steuergerät steht still. Bitte prüfen Sie, ob er angeschlossen ist und nichts seine Rotorblätter blockiert.</translation>
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
        <translation>Informationen</translation>
    </message>
    <message>
        <source>SENSOR READINGS</source>
        <translation>SENSORWERTE</translation>
    </message>
    <message>
        <source>No sensor readings. The hardware monitors of this PC could not be read.</source>
        <translation>Keine Sensorwerte. Die Hardwareüberwachung dieses PCs konnte nicht gelesen werden.</translation>
    </message>
</context>
<context>
    <name>InSeries</name>
    <message>
        <source>All Fans</source>
        <translation>Alle Lüfter</translation>
    </message>
    <message>
        <source>Each Fan</source>
        <translation>Jeder Lüfter</translation>
    </message>
    <message>
        <source>Color Mode</source>
        <translation>Farbmodus</translation>
    </message>
    <message>
        <source>Light Mode</source>
        <translation>Lichtmodus</translation>
    </message>
    <message>
        <source>Light Speed</source>
        <translation>Lichttempo</translation>
    </message>
</context>
<context>
    <name>AutoUpdate</name>
    <message>
        <source>Update Note:</source>
        <translation>Update-Hinweis:</translation>
    </message>
    <message>
        <source>A new version can be downloaded from:</source>
        <translation>Die neue Version kann hier heruntergeladen werden:</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>CouplerPlusView</name>
    <message>
        <source>Monitor</source>
        <translation>Überwachen</translation>
    </message>
    <message>
        <source>Light Mode</source>
        <translation>Lichtmodus</translation>
    </message>
    <message>
        <source>RGB</source>
        <translation>RGB</translation>
    </message>
    <message>
        <source>Flash</source>
        <translation>Blitz</translation>
    </message>
    <message>
        <source>Blink</source>
        <translation>Blinken</translation>
    </message>
    <message>
        <source>LED BRIGHTNESS</source>
        <translation>LED-HELLIGKEIT</translation>
    </message>
</context>
</TS>
