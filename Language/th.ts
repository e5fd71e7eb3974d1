<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="th">
<context>
    <name>MainView</name>
    <message>
        <source>Error_Code_H_0x0001</source>
        <translation>ไม่พบตัวควบคุมพัดลม โปรดตรวจสอบว่าได้เชื่อมต่อตัวควบคุมพัดลมแล้ว</translation>
    </message>
    <message>
        <source>Error_Code_H_0x0002</source>
        <translation>หมายเลขตัวควบคุมพัดลมซ้ำกัน โปรดตั้งหมายเลขตัวควบคุมพัดลมใหม่</translation>
    </message>
    <message>
        <source>Error_Code_H_0x0003</source>
        <translation>หมายเลขตัวควบคุมพัดลมซ้ำกัน โปรดตั้งหมายเลขตัวควบคุมพัดลมใหม่</translation>
    </message>
    <message>
        <source>Error_Code_H_0x0004</source>
        <translation>หมายเลขตัวควบคุมพัดลมซ้ำกัน โปรดตั้งหมายเลขตัวควบคุมพัดลมใหม่</translation>
    </message>
    <message>
        <source>Error_Code_H_0x0005</source>
        <translation>พบตัวควบคุมพัดลมแล้ว แต่ถูกปฏิเสธการเข้าถึง โปรดติดตั้งกฎ udev (README หัวข้อ &quot;The udev rule&quot;) แล้วเสียบตัวควบคุมพัดลมใหม่อีกครั้ง</translation>
    </message>
    <message>
        <source>Error_Code_S_0x0002</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error_Code_S_0x0010</source>
        <translation>ไม่สามารถรับสัญญาณเสียงขาออกได้ โปรดตรวจสอบว่าอุปกรณ์เสียงขาออกถูกโปรแกรมอื่นใช้งานอยู่หรือไม่</translation>
    </message>
    <message>
        <source>Error_Code_S_0x0011</source>
        <translation>ไม่สามารถซิงค์กับ Pwrix App ได้ โปรดตรวจสอบว่าได้ติดตั้งและเปิด Pwrix App แล้ว</translation>
    </message>
    <message>
        <source>Error Code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>ที่อยู่ IP</translation>
    </message>
    <message>
        <source>PROFILE</source>
        <translation>โปรไฟล์</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>รหัสผ่าน</translation>
    </message>
    <message>
        <source>Open Script</source>
        <translation>เปิดสคริปต์</translation>
    </message>
    <message>
        <source>SAVE</source>
        <translation>บันทึก</translation>
    </message>
    <message>
        <source>TEMP</source>
        <translation>อุณหภูมิ</translation>
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
        <translation>สีเดียว</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>ปิด</translation>
    </message>
    <message>
        <source>Snake</source>
        <translation>ไหล</translation>
    </message>
    <message>
        <source>Cycle</source>
        <translation>สเปกตรัม RGB</translation>
    </message>
    <message>
        <source>Radar</source>
        <translation>ระลอกคลื่น</translation>
    </message>
    <message>
        <source>Blink</source>
        <translation>กะพริบ</translation>
    </message>
    <message>
        <source>Breath</source>
        <translation>หายใจ</translation>
    </message>
    <message>
        <source>Whirl</source>
        <translation>คลื่น</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>สว่างเต็ม</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>คัดลอกสี</translation>
    </message>
    <message>
        <source>Music_1</source>
        <translation>ควบคุมด้วยเสียง_1</translation>
    </message>
    <message>
        <source>Music_2</source>
        <translation>ควบคุมด้วยเสียง_2</translation>
    </message>
    <message>
        <source>Music_3</source>
        <translation>ควบคุมด้วยเสียง_3</translation>
    </message>
    <message>
        <source>Mobile_1</source>
        <translation>มือถือ_1</translation>
    </message>
    <message>
        <source>Mobile_2</source>
        <translation>มือถือ_2</translation>
    </message>
    <message>
        <source>Mobile_3</source>
        <translation>มือถือ_3</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>อุณหภูมิ</translation>
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
        <translation>เร็วสุด</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>เร็ว</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>ปกติ</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>ช้า</translation>
    </message>
    <message>
        <source>Perfor-mance</source>
        <translation>ประสิทธิ-ภาพ</translation>
    </message>
    <message>
        <source>Silent</source>
        <translation>เงียบ</translation>
    </message>
    <message>
        <source>PWM</source>
        <translation>PWM</translation>
    </message>
    <message>
        <source>Performance</source>
        <translation>ประสิทธิภาพ</translation>
    </message>
    <message>
        <source>Color Mode</source>
        <translation>โหมดสี</translation>
    </message>
    <message>
        <source>Light Mode</source>
        <translation>โหมดไฟ</translation>
    </message>
    <message>
        <source>Light Speed</source>
        <translation>ความเร็วไฟ</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>เสร็จ</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>ค่าเริ่มต้น</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>สี</translation>
    </message>
    <message>
        <source>LED BRIGHTNESS</source>
        <translation>ความสว่าง LED</translation>
    </message>
    <message>
        <source>FAN</source>
        <translation>พัดลม</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ตกลง</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>ยกเลิก</translation>
    </message>
    <message>
        <source>Error_Code_S_0x0010</source>
        <translation>ไม่สามารถรับสัญญาณเสียงขาออกได้ โปรดตรวจสอบว่าอุปกรณ์เสียงขาออกถูกโปรแกรมอื่นใช้งานอยู่หรือไม่</translation>
    </message>
</context>
<context>
    <name>VxZyneRainbow</name>
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
    <message>
        <source>IP Address</source>
        <translation>ที่อยู่ IP</translation>
    </message>
    <message>
        <source>A fan has stopped</source>
        <translation>พัดลมหยุดหมุน</translation>
    </message>
    <message>
        <source>Controller No. %1, fan %2 does not turn.</source>
        <translation>ตัวควบคุมหมายเลข %1 พัดลม %2 ไม่หมุน</translation>
    </message>
    <message>
        <source>Controller found, but access was refused</source>
        <translation>พบตัวควบคุมแล้ว แต่ถูกปฏิเสธการเข้าถึง</translation>
    </message>
    <message>
        <source>%1: install the udev rule (README, &quot;The udev rule&quot;).</source>
        <translation>%1: โปรดติดตั้งกฎ udev (README หัวข้อ &quot;The udev rule&quot;)</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>แสดง</translation>
    </message>
</context>
<context>
    <name>ZyneRGBFanView</name>
    <message>
        <source>Blink</source>
        <translation>กะพริบ</translation>
    </message>
    <message>
        <source>FAN</source>
        <translation>พัดลม</translation>
    </message>
    <message>
        <source>LED BRIGHTNESS</source>
        <translation>ความสว่าง LED</translation>
    </message>
    <message>
        <source>Perfor-mance</source>
        <translation>ประสิทธิ-ภาพ</translation>
    </message>
    <message>
        <source>Performance</source>
        <translation>ประสิทธิภาพ</translation>
    </message>
    <message>
        <source>Silent</source>
        <translation>เงียบ</translation>
    </message>
    <message>
        <source>PWM</source>
        <translation>PWM</translation>
    </message>
    <message>
        <source>FAN MODE</source>
        <translation>โหมดพัดลม</translation>
    </message>
</context>
<context>
    <name>AlertView</name>
    <message>
        <source>Warning</source>
        <translation>คำเตือน</translation>
    </message>
    <message>
        <source>Controller No. </source>
        <translation>ตัวควบคุมหมายเลข </translation>
    </message>
    <message>
        <source>A monitored fan on this controller has stopped. Please check that it is connected and that nothing blocks its blades.</source>
        <translation>พัดลมที่ตรวจสอบอยู่บนตัวควบคุมนี้หยุดหมุน โปรดตรวจสอบว่าเชื่อมต่ออยู่และไม่มีสิ่งใดขวางใบพัด</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ตกลง</translation>
    </message>
</context>
<context>
    <name>InfoView</name>
    <message>
        <source>Information</source>
        <translation>ข้อมูล</translation>
    </message>
    <message>
        <source>SENSOR READINGS</source>
        <translation>ค่าจากเซนเซอร์</translation>
    </message>
    <message>
        <source>No sensor readings. The hardware monitors of this PC could not be read.</source>
        <translation>ไม่มีค่าจากเซนเซอร์ ไม่สามารถอ่านข้อมูลฮาร์ดแวร์ของพีซีเครื่องนี้ได้</translation>
    </message>
</context>
<context>
    <name>InSeries</name>
    <message>
        <source>All Fans</source>
        <translation>พัดลมทั้งหมด</translation>
    </message>
    <message>
        <source>Each Fan</source>
        <translation>แยกแต่ละตัว</translation>
    </message>
    <message>
        <source>Color Mode</source>
        <translation>โหมดสี</translation>
    </message>
    <message>
        <source>Light Mode</source>
        <translation>โหมดไฟ</translation>
    </message>
    <message>
        <source>Light Speed</source>
        <translation>ความเร็วไฟ</translation>
    </message>
</context>
<context>
    <name>AutoUpdate</name>
    <message>
        <source>Update Note:</source>
        <translation>บันทึกการอัปเดต:</translation>
    </message>
    <message>
        <source>A new version can be downloaded from:</source>
        <translation>ดาวน์โหลดเวอร์ชันใหม่ได้ที่:</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>ปิด</translation>
    </message>
</context>
<context>
    <name>CouplerPlusView</name>
    <message>
        <source>Monitor</source>
        <translation>ตรวจสอบ</translation>
    </message>
    <message>
        <source>Light Mode</source>
        <translation>โหมดไฟ</translation>
    </message>
    <message>
        <source>RGB</source>
        <translation>RGB</translation>
    </message>
    <message>
        <source>Flash</source>
        <translation>แฟลช</translation>
    </message>
    <message>
        <source>Blink</source>
        <translation>กะพริบ</translation>
    </message>
    <message>
        <source>LED BRIGHTNESS</source>
        <translation>ความสว่าง LED</translation>
    </message>
</context>
</TS>
