<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>DeviceVersionSelectionDialog</name>
    <message>
        <source>Device Version Selection</source>
        <translation>设备版本选择</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>中文</translation>
    </message>
    <message>
        <source>English</source>
        <translation>英文</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Analog Input</source>
        <translation>模拟输入</translation>
    </message>
    <message>
        <source>Analog Output</source>
        <translation>模拟输出</translation>
    </message>
    <message>
        <source>Dante Input</source>
        <translation>Dante 输入</translation>
    </message>
    <message>
        <source>Dante Output</source>
        <translation>Dante 输出</translation>
    </message>
    <message>
        <source>USB Rec/Play</source>
        <translation>USB 录放</translation>
    </message>
    <message>
        <source>Show at startup</source>
        <translation>启动时显示</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>SplashScreen</name>
    <message>
        <source>Loading</source>
        <translation>正在加载</translation>
    </message>
    <message>
        <source>PC Version</source>
        <translation>PC 端版本</translation>
    </message>
</context>
</TS>
