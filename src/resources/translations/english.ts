<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>DeviceVersionSelectionDialog</name>
    <message>
        <source>Device Version Selection</source>
        <translation>Device Version Selection</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>Chinese</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Analog Input</source>
        <translation>Analog Input</translation>
    </message>
    <message>
        <source>Analog Output</source>
        <translation>Analog Output</translation>
    </message>
    <message>
        <source>Dante Input</source>
        <translation>Dante Input</translation>
    </message>
    <message>
        <source>Dante Output</source>
        <translation>Dante Output</translation>
    </message>
    <message>
        <source>USB Rec/Play</source>
        <translation>USB Rec/Play</translation>
    </message>
    <message>
        <source>Show at startup</source>
        <translation>Show at startup</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>SplashScreen</name>
    <message>
        <source>Loading</source>
        <translation>Loading</translation>
    </message>
    <message>
        <source>PC Version</source>
        <translation>PC Version</translation>
    </message>
</context>
</TS>
