<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>MainView</name>
    <message>
        <source>Error_Code_H_0x0001</source>
        <translation>Contrôleur de ventilateurs introuvable. Vérifiez que le contrôleur de ventilateurs est connecté.</translation>
    </message>
    <message>
        <source>Error_Code_H_0x0002</source>
        <translation>Le numéro du contrôleur de ventilateurs est en double. Veuillez redéfinir le numéro du contrôleur de ventilateurs.</translation>
    </message>
    <message>
        <source>Error_Code_H_0x0003</source>
        <translation>Le numéro du contrôleur de ventilateurs est en double. Veuillez redéfinir le numéro du contrôleur de ventilateurs.</translation>
    </message>
    <message>
        <source>Error_Code_H_0x0004</source>
        <translation>Le numéro du contrôleur de ventilateurs est en double. Veuillez redéfinir le numéro du contrôleur de ventilateurs.</translation>
    </message>
    <message>
        <source>Error_Code_H_0x0005</source>
        <translation>Contrôleur de ventilateurs trouvé, mais l'accès a été refusé. Installez la règle udev (README, « The udev rule ») puis rebranchez le contrôleur de ventilateurs.</translation>
    </message>
    <message>
        <source>Error_Code_S_0x0002</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error_Code_S_0x0010</source>
        <translation>La sortie audio ne peut pas être captée. Vérifiez si la sortie audio est utilisée par une autre application.</translation>
    </message>
    <message>
        <source>Error_Code_S_0x0011</source>
        <translation>Impossible de synchroniser l'application Pwrix. Vérifiez que l'application Pwrix est installée et lancée.</translation>
    </message>
    <message>
        <source>Error Code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>Adresse IP</translation>
    </message>
    <message>
        <source>PROFILE</source>
        <translation>PROFIL</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Mot de passe</translation>
    </message>
    <message>
        <source>Open Script</source>
        <translation>Ouvrir un script</translation>
    </message>
    <message>
        <source>SAVE</source>
        <translation>ENREGISTRER</translation>
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
        <translation>Unique</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>ARRÊT</translation>
    </message>
    <message>
        <source>Snake</source>
        <translation>Flux</translation>
    </message>
    <message>
        <source>Cycle</source>
        <translation>Spectre RVB</translation>
    </message>
    <message>
        <source>Radar</source>
        <translation>Ondulation</translation>
    </message>
    <message>
        <source>Blink</source>
        <translation>Clignotement</translation>
    </message>
    <message>
        <source>Breath</source>
        <translation>Pulsation</translation>
    </message>
    <message>
        <source>Whirl</source>
        <translation>Vague</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Éclairage fixe</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copier la couleur</translation>
    </message>
    <message>
        <source>Music_1</source>
        <translation>Contrôle sonore_1</translation>
    </message>
    <message>
        <source>Music_2</source>
        <translation>Contrôle sonore_2</translation>
    </message>
    <message>
        <source>Music_3</source>
        <translation>Contrôle sonore_3</translation>
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
        <translation>Thermique</translation>
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
        <translation>Extrême</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>Rapide</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>Lent</translation>
    </message>
    <message>
        <source>Perfor-mance</source>
        <translation>Perfor-mance</translation>
    </message>
    <message>
        <source>Silent</source>
        <translation>Silencieux</translation>
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
        <translation>Mode couleur</translation>
    </message>
    <message>
        <source>Light Mode</source>
        <translation>Mode lumière</translation>
    </message>
    <message>
        <source>Light Speed</source>
        <translation>Vitesse lumière</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Par défaut</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Couleur</translation>
    </message>
    <message>
        <source>LED BRIGHTNESS</source>
        <translation>LUMINOSITÉ LED</translation>
    </message>
    <message>
        <source>FAN</source>
        <translation>VENTILO</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Error_Code_S_0x0010</source>
        <translation>La sortie audio ne peut pas être captée. Vérifiez si la sortie audio est utilisée par une autre application.</translation>
    </message>
</context>
<context>
    <name>VxZyneRainbow</name>
    <message>
        <source>Launch Zyne Plus RGB</source>
        <translation>Ouvrir Zyne Plus RGB</translation>
    </message>
    <message>
        <source> Run Zyne Plus RGB Program when Windows starts</source>
        <translation> Lancer Zyne Plus RGB au démarrage de Windows</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>Adresse IP</translation>
    </message>
    <message>
        <source>A fan has stopped</source>
        <translation>Un ventilateur s'est arrêté</translation>
    </message>
    <message>
        <source>Controller No. %1, fan %2 does not turn.</source>
        <translation>Contrôleur n° %1 : le ventilateur %2 ne tourne pas.</translation>
    </message>
    <message>
        <source>Controller found, but access was refused</source>
        <translation>Contrôleur trouvé, mais l'accès a été refusé</translation>
    </message>
    <message>
        <source>%1: install the udev rule (README, &quot;The udev rule&quot;).</source>
        <translation>%1 : installez la règle udev (README, « The udev rule »).</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Afficher</translation>
    </message>
</context>
<context>
    <name>ZyneRGBFanView</name>
    <message>
        <source>Blink</source>
        <translation>Clignotement</translation>
    </message>
    <message>
        <source>FAN</source>
        <translation>VENTILO</translation>
    </message>
    <message>
        <source>LED BRIGHTNESS</source>
        <translation>LUMINOSITÉ LED</translation>
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
        <translation>Silencieux</translation>
    </message>
    <message>
        <source>PWM</source>
        <translation>PWM</translation>
    </message>
    <message>
        <source>FAN MODE</source>
        <translation>MODE VENTILO</translation>
    </message>
</context>
<context>
    <name>AlertView</name>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>Controller No. </source>
        <translation>Contrôleur n° </translation>
    </message>
    <message>
        <source>A monitored fan on this controller has stopped. Please check that it is connected and that nothing blocks its blades.</source>
        <translation>Un ventilateur surveillé de ce contrôleur s&apos;est arrêté. Vérifiez qu&apos;il est bien branché et que rien ne bloque ses pales.</translation>
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
        <translation>Informations</translation>
    </message>
    <message>
        <source>SENSOR READINGS</source>
        <translation>RELEVÉS DES CAPTEURS</translation>
    </message>
    <message>
        <source>No sensor readings. The hardware monitors of this PC could not be read.</source>
        <translation>Aucun relevé. Les capteurs matériels de ce PC n&apos;ont pas pu être lus.</translation>
    </message>
</context>
<context>
    <name>InSeries</name>
    <message>
        <source>All Fans</source>
        <translation>Tous les ventilos</translation>
    </message>
    <message>
        <source>Each Fan</source>
        <translation>Chaque ventilo</translation>
    </message>
    <message>
        <source>Color Mode</source>
        <translation>Mode couleur</translation>
    </message>
    <message>
        <source>Light Mode</source>
        <translation>Mode lumière</translation>
    </message>
    <message>
        <source>Light Speed</source>
        <translation>Vitesse lumière</translation>
    </message>
</context>
<context>
    <name>AutoUpdate</name>
    <message>
        <source>Update Note:</source>
        <translation>Note de mise à jour :</translation>
    </message>
    <message>
        <source>A new version can be downloaded from:</source>
        <translation>La nouvelle version peut être téléchargée ici :</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>CouplerPlusView</name>
    <message>
        <source>Monitor</source>
        <translation>Surveiller</translation>
    </message>
    <message>
        <source>Light Mode</source>
        <translation>Mode lumière</translation>
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
        <translation>Clignotement</translation>
    </message>
    <message>
        <source>LED BRIGHTNESS</source>
        <translation>LUMINOSITÉ LED</translation>
    </message>
</context>
</TS>
