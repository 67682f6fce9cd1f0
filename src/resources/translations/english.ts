<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>AECWidget</name>
    <message>
        <source>From
Video conference
terminal audio</source>
        <translation>From
Video conference
terminal audio</translation>
    </message>
    <message>
        <source>To
Video conference
terminal audio</source>
        <translation>To
Video conference
terminal audio</translation>
    </message>
    <message>
        <source>IN CH3-16
Local conference
audio source</source>
        <translation>IN CH3-16
Local conference
audio source</translation>
    </message>
    <message>
        <source>OUT CH3-16
Local conference
Amplifier</source>
        <translation>OUT CH3-16
Local conference
Amplifier</translation>
    </message>
    <message>
        <source>Local Setting</source>
        <translation>Local Setting</translation>
    </message>
    <message>
        <source>AEC(Remote Benefit)</source>
        <translation>AEC(Remote Benefit)</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Disabled</translation>
    </message>
    <message>
        <source>Weak</source>
        <translation>Weak</translation>
    </message>
    <message>
        <source>Strong</source>
        <translation>Strong</translation>
    </message>
    <message>
        <source>Strongest</source>
        <translation>Strongest</translation>
    </message>
    <message>
        <source>Select the microphone channels for video conference</source>
        <translation>Select the microphone channels for video conference</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Enabled</translation>
    </message>
</context>
<context>
    <name>AGCWidget</name>
    <message>
        <source>Copy To</source>
        <translation>Copy To</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Enabled</translation>
    </message>
    <message>
        <source>Threshold</source>
        <translation>Threshold</translation>
    </message>
    <message>
        <source>(dB)</source>
        <translation>(dB)</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>Target</translation>
    </message>
    <message>
        <source>Ratio</source>
        <translation>Ratio</translation>
    </message>
    <message>
        <source>Attack</source>
        <translation>Attack</translation>
    </message>
    <message>
        <source>(ms)</source>
        <translation>(ms)</translation>
    </message>
    <message>
        <source>Decay</source>
        <translation>Decay</translation>
    </message>
    <message>
        <source>AGC Copy</source>
        <translation>AGC Copy</translation>
    </message>
    <message>
        <source>Are you sure that you want to reset the agc of the selected channel?</source>
        <translation>Are you sure that you want to reset the agc of the selected channel?</translation>
    </message>
    <message>
        <source>AGC Threshold</source>
        <translation>AGC Threshold</translation>
    </message>
    <message>
        <source>dB</source>
        <translation>dB</translation>
    </message>
    <message>
        <source>AGC Target</source>
        <translation>AGC Target</translation>
    </message>
    <message>
        <source>AGC Ratio</source>
        <translation>AGC Ratio</translation>
    </message>
    <message>
        <source>AGC Attack</source>
        <translation>AGC Attack</translation>
    </message>
    <message>
        <source>ms</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>AGC Decay</source>
        <translation>AGC Decay</translation>
    </message>
</context>
<context>
    <name>ANCWidget</name>
    <message>
        <source>Channel Enabled</source>
        <translation>Channel Enabled</translation>
    </message>
    <message>
        <source>Noise Reduction Level</source>
        <translation>Noise Reduction Level</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Disabled</translation>
    </message>
    <message>
        <source>Weak</source>
        <translation>Weak</translation>
    </message>
    <message>
        <source>Strong</source>
        <translation>Strong</translation>
    </message>
    <message>
        <source>Strongest</source>
        <translation>Strongest</translation>
    </message>
</context>
<context>
    <name>AddDeviceDialog</name>
    <message>
        <source>Add Device</source>
        <translation>Add Device</translation>
    </message>
    <message>
        <source>The IP address is incomplete or invalid, please enter again!</source>
        <translation>The IP address is incomplete or invalid, please enter again!</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP Address</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>The unit at %1 is already in the list; it has been selected.</source>
        <translation>The unit at %1 is already in the list; it has been selected.</translation>
    </message>
    <message>
        <source>The list is full; remove units that are no longer used first.</source>
        <translation>The list is full; remove units that are no longer used first.</translation>
    </message>
</context>
<context>
    <name>AutoMixerInfoDialog</name>
    <message>
        <source>1. Features two independent automix groups.</source>
        <translation>1. Features two independent automix groups.</translation>
    </message>
    <message>
        <source>2. Select the AM1 or AM2 button to assign the channel to the automix group 1 or 2.</source>
        <translation>2. Select the AM1 or AM2 button to assign the channel to the automix group 1 or 2.</translation>
    </message>
    <message>
        <source>3. Use the fader to modify the priority of the volume assigned to the channel.</source>
        <translation>3. Use the fader to modify the priority of the volume assigned to the channel.</translation>
    </message>
    <message>
        <source>In general, which channel&apos;s voice is important, its weight is assigned more. Normally, the default is 0.</source>
        <translation>In general, which channel&apos;s voice is important, its weight is assigned more. Normally, the default is 0.</translation>
    </message>
    <message>
        <source>4. Click the &quot;%1&quot; button to enable or disable automix group X.</source>
        <translation>4. Click the &quot;%1&quot; button to enable or disable automix group X.</translation>
    </message>
    <message>
        <source>AM X Enabled</source>
        <translation>AM X Enabled</translation>
    </message>
    <message>
        <source>5. The upper and lower meters indicate the attenuation and the level after attenuation.</source>
        <translation>5. The upper and lower meters indicate the attenuation and the level after attenuation.</translation>
    </message>
    <message>
        <source>Instructions</source>
        <translation>Instructions</translation>
    </message>
    <message>
        <source>Instructions for using automix</source>
        <translation>Instructions for using automix</translation>
    </message>
</context>
<context>
    <name>AutoMixerWidget</name>
    <message>
        <source>AM 1 Enabled</source>
        <translation>AM 1 Enabled</translation>
    </message>
    <message>
        <source>AM 2 Enabled</source>
        <translation>AM 2 Enabled</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Instructions</source>
        <translation>Instructions</translation>
    </message>
    <message>
        <source>AM 1</source>
        <translation>AM 1</translation>
    </message>
    <message>
        <source>AM 2</source>
        <translation>AM 2</translation>
    </message>
    <message>
        <source>Are you sure that you want to reset the auto mixer?</source>
        <translation>Are you sure that you want to reset the auto mixer?</translation>
    </message>
</context>
<context>
    <name>ChannelCopyDialog</name>
    <message>
        <source>Input</source>
        <translation>Input</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Output</translation>
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
    <name>CommandAssistantDialog</name>
    <message>
        <source>Command Assistant</source>
        <translation>Command Assistant</translation>
    </message>
    <message>
        <source>RS232 Baud Rate : 115200 (Default)
TCP Port : %1</source>
        <translation>RS232 Baud Rate : 115200 (Default)
TCP Port : %1</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>Login</translation>
    </message>
    <message>
        <source>Level Pre Mix</source>
        <translation>Level Pre Mix</translation>
    </message>
    <message>
        <source>Out Level</source>
        <translation>Out Level</translation>
    </message>
    <message>
        <source>Preset</source>
        <translation>Preset</translation>
    </message>
    <message>
        <source>System Mute</source>
        <translation>System Mute</translation>
    </message>
    <message>
        <source>Command</source>
        <translation>Command</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
</context>
<context>
    <name>CommandLevelWidget</name>
    <message>
        <source>Channel</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Mute</translation>
    </message>
    <message>
        <source>Gain(Fixed Value)</source>
        <translation>Gain(Fixed Value)</translation>
    </message>
    <message>
        <source>Gain(Increment/Decrement)</source>
        <translation>Gain(Increment/Decrement)</translation>
    </message>
    <message>
        <source>Generate Command</source>
        <translation>Generate Command</translation>
    </message>
</context>
<context>
    <name>CommandLoginWidget</name>
    <message>
        <source>Login(TCP Only)</source>
        <translation>Login(TCP Only)</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>Generate Command</source>
        <translation>Generate Command</translation>
    </message>
</context>
<context>
    <name>CommandPresetWidget</name>
    <message>
        <source>Recall Preset</source>
        <translation>Recall Preset</translation>
    </message>
    <message>
        <source>Generate Command</source>
        <translation>Generate Command</translation>
    </message>
</context>
<context>
    <name>CommandSystemMuteWidget</name>
    <message>
        <source>System Mute</source>
        <translation>System Mute</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Mute</translation>
    </message>
    <message>
        <source>Generate Command</source>
        <translation>Generate Command</translation>
    </message>
</context>
<context>
    <name>CompareStateDialog</name>
    <message>
        <source>Unit state (*.txt *.json);;All files (*)</source>
        <translation>Unit state (*.txt *.json);;All files (*)</translation>
    </message>
    <message>
        <source>No unit is connected: there is no state to save.</source>
        <translation>No unit is connected: there is no state to save.</translation>
    </message>
    <message>
        <source>Save State</source>
        <translation>Save State</translation>
    </message>
    <message>
        <source>%1 could not be written.</source>
        <translation>%1 could not be written.</translation>
    </message>
    <message>
        <source>Reading the unit...</source>
        <translation>Reading the unit...</translation>
    </message>
    <message>
        <source>%1 holds no state of a unit.</source>
        <translation>%1 holds no state of a unit.</translation>
    </message>
    <message>
        <source>Lines of %1 not used: %2</source>
        <translation>Lines of %1 not used: %2</translation>
    </message>
    <message>
        <source>Open State</source>
        <translation>Open State</translation>
    </message>
    <message>
        <source>Open Second State</source>
        <translation>Open Second State</translation>
    </message>
    <message>
        <source>Open Second State (%1)</source>
        <translation>Open Second State (%1)</translation>
    </message>
    <message>
        <source>Open a saved state to compare it with the connected unit, or two saved states to compare them with each other.</source>
        <translation>Open a saved state to compare it with the connected unit, or two saved states to compare them with each other.</translation>
    </message>
    <message>
        <source>%1 is open; connect to a unit or open a second state.</source>
        <translation>%1 is open; connect to a unit or open a second state.</translation>
    </message>
    <message>
        <source>Differences between %1 and %2: %3</source>
        <translation>Differences between %1 and %2: %3</translation>
    </message>
    <message>
        <source>the unit</source>
        <translation>the unit</translation>
    </message>
    <message>
        <source>Compare State</source>
        <translation>Compare State</translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>Saved</source>
        <translation>Saved</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>Send Selected</source>
        <translation>Send Selected</translation>
    </message>
</context>
<context>
    <name>DelayWidget</name>
    <message>
        <source>Time (ms)</source>
        <translation>Time (ms)</translation>
    </message>
    <message>
        <source>Distance (m)</source>
        <translation>Distance (m)</translation>
    </message>
    <message>
        <source>Distance (ft)</source>
        <translation>Distance (ft)</translation>
    </message>
    <message>
        <source>%1 Delay</source>
        <translation>%1 Delay</translation>
    </message>
</context>
<context>
    <name>DeviceItemWidget</name>
    <message>
        <source>Fault</source>
        <translation>Fault</translation>
    </message>
    <message>
        <source>Online</source>
        <translation>Online</translation>
    </message>
    <message>
        <source>Offline</source>
        <translation>Offline</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Connecting...</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Connected</translation>
    </message>
    <message>
        <source>Logged in</source>
        <translation>Logged in</translation>
    </message>
    <message>
        <source>Timed out</source>
        <translation>Timed out</translation>
    </message>
</context>
<context>
    <name>DeviceListDialog</name>
    <message>
        <source>%1day %2:%3:%4</source>
        <translation>%1day %2:%3:%4</translation>
    </message>
    <message>
        <source>Online(Unlogin)</source>
        <translation>Online(Unlogin)</translation>
    </message>
    <message>
        <source>Online(Logined)</source>
        <translation>Online(Logined)</translation>
    </message>
    <message>
        <source>Logined</source>
        <translation>Logined</translation>
    </message>
    <message>
        <source>Offline</source>
        <translation>Offline</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>Device List</source>
        <translation>Device List</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP Address</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>ARM Version</source>
        <translation>ARM Version</translation>
    </message>
    <message>
        <source>DSP Version</source>
        <translation>DSP Version</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Location</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Serial Number</source>
        <translation>Serial Number</translation>
    </message>
    <message>
        <source>Link Status</source>
        <translation>Link Status</translation>
    </message>
    <message>
        <source>Run Time</source>
        <translation>Run Time</translation>
    </message>
    <message>
        <source>Total Time</source>
        <translation>Total Time</translation>
    </message>
    <message>
        <source>Device ID</source>
        <translation>Device ID</translation>
    </message>
</context>
<context>
    <name>DeviceModelDialog</name>
    <message>
        <source>Device Model</source>
        <translation>Device Model</translation>
    </message>
    <message>
        <source>Serial Number</source>
        <translation>Serial Number</translation>
    </message>
    <message>
        <source>Channel Configuration</source>
        <translation>Channel Configuration</translation>
    </message>
    <message>
        <source>Dual Backup Data Sync</source>
        <translation>Dual Backup Data Sync</translation>
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
    <name>DeviceSetupDialog</name>
    <message>
        <source>Setup</source>
        <translation>Setup</translation>
    </message>
    <message>
        <source>Login Password Setting</source>
        <translation>Login Password Setting</translation>
    </message>
    <message>
        <source>New Password</source>
        <translation>New Password</translation>
    </message>
    <message>
        <source>Confirm Password</source>
        <translation>Confirm Password</translation>
    </message>
    <message>
        <source>Not inserted</source>
        <translation>Not inserted</translation>
    </message>
    <message>
        <source>Inserted</source>
        <translation>Inserted</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>The device location&apos;s length can not be greater than 16 bytes, please enter again!</source>
        <translation>The device location&apos;s length can not be greater than 16 bytes, please enter again!</translation>
    </message>
    <message>
        <source>The device description&apos;s length can not be greater than 16 bytes, please enter again!</source>
        <translation>The device description&apos;s length can not be greater than 16 bytes, please enter again!</translation>
    </message>
    <message>
        <source>The IP address&apos;s format is error, please enter again!</source>
        <translation>The IP address&apos;s format is error, please enter again!</translation>
    </message>
    <message>
        <source>The subnet netmask&apos;s format is error, please enter again!</source>
        <translation>The subnet netmask&apos;s format is error, please enter again!</translation>
    </message>
    <message>
        <source>The gateway address&apos;s format is error, please enter again!</source>
        <translation>The gateway address&apos;s format is error, please enter again!</translation>
    </message>
    <message>
        <source>The two passwords you entered are different, please enter again!</source>
        <translation>The two passwords you entered are different, please enter again!</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Device Information</source>
        <translation>Device Information</translation>
    </message>
    <message>
        <source>Device Status</source>
        <translation>Device Status</translation>
    </message>
    <message>
        <source>Device Setup</source>
        <translation>Device Setup</translation>
    </message>
    <message>
        <source>General Setup</source>
        <translation>General Setup</translation>
    </message>
    <message>
        <source>Volume Limit</source>
        <translation>Volume Limit</translation>
    </message>
    <message>
        <source>Device Model</source>
        <translation>Device Model</translation>
    </message>
    <message>
        <source>DSP Version</source>
        <translation>DSP Version</translation>
    </message>
    <message>
        <source>ARM Version</source>
        <translation>ARM Version</translation>
    </message>
    <message>
        <source>Serial Number</source>
        <translation>Serial Number</translation>
    </message>
    <message>
        <source>Boot Count</source>
        <translation>Boot Count</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>Run Time</source>
        <translation>Run Time</translation>
    </message>
    <message>
        <source>USB Status</source>
        <translation>USB Status</translation>
    </message>
    <message>
        <source>Code ID</source>
        <translation>Code ID</translation>
    </message>
    <message>
        <source>Device ID</source>
        <translation>Device ID</translation>
    </message>
    <message>
        <source>Device Location</source>
        <translation>Device Location</translation>
    </message>
    <message>
        <source>Device Description</source>
        <translation>Device Description</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP Address</translation>
    </message>
    <message>
        <source>Subnet Mask</source>
        <translation>Subnet Mask</translation>
    </message>
    <message>
        <source>Gateway</source>
        <translation>Gateway</translation>
    </message>
    <message>
        <source>MAC Address</source>
        <translation>MAC Address</translation>
    </message>
    <message>
        <source>Gate Report</source>
        <translation>Gate Report</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source> Baud Rate</source>
        <translation> Baud Rate</translation>
    </message>
    <message>
        <source>Fan Test</source>
        <translation>Fan Test</translation>
    </message>
    <message>
        <source>Fan trigger instructions:
The cooling fan of the machine is temperature controlled and automatically turns on.
When the temperature is greater than or equal to 30℃, the fan automatically turns on.
When the temperature is less than or equal to 27℃, the fan automatically turns off.</source>
        <translation>Fan trigger instructions:
The cooling fan of the machine is temperature controlled and automatically turns on.
When the temperature is greater than or equal to 30℃, the fan automatically turns on.
When the temperature is less than or equal to 27℃, the fan automatically turns off.</translation>
    </message>
    <message>
        <source>Login Password</source>
        <translation>Login Password</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>Setting</translation>
    </message>
    <message>
        <source>Level Pre Mix</source>
        <translation>Level Pre Mix</translation>
    </message>
    <message>
        <source>Out Level</source>
        <translation>Out Level</translation>
    </message>
    <message>
        <source>Minimum</source>
        <translation>Minimum</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Maximum</translation>
    </message>
</context>
<context>
    <name>DeviceSetupEdits</name>
    <message>
        <source>%1day %2:%3:%4</source>
        <translation>%1day %2:%3:%4</translation>
    </message>
</context>
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
    <name>DeviceWidget</name>
    <message>
        <source>Disconnect</source>
        <translation>Disconnect</translation>
    </message>
    <message>
        <source>Are you sure that you want to disconnect the device?</source>
        <translation>Are you sure that you want to disconnect the device?</translation>
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
        <source>Add Device</source>
        <translation>Add Device</translation>
    </message>
    <message>
        <source>Modify Network Parameters</source>
        <translation>Modify Network Parameters</translation>
    </message>
    <message>
        <source>Remove Device</source>
        <translation>Remove Device</translation>
    </message>
    <message>
        <source>Device List</source>
        <translation>Device List</translation>
    </message>
    <message>
        <source>Connection Timeout</source>
        <translation>Connection Timeout</translation>
    </message>
    <message>
        <source>* The connection timed out!
* Please check the network connection!
* Please make sure that the PC and the device are on the same subnet!
* Please make sure that there is no other IP conflicting with the device IP!
  You can try to modify the PC&apos;s IP or device IP.
  Right-click the mouse to select the device, you can modify its IP.</source>
        <translation>* The connection timed out!
* Please check the network connection!
* Please make sure that the PC and the device are on the same subnet!
* Please make sure that there is no other IP conflicting with the device IP!
  You can try to modify the PC&apos;s IP or device IP.
  Right-click the mouse to select the device, you can modify its IP.</translation>
    </message>
    <message>
        <source>Modify device IP immediately</source>
        <translation>Modify device IP immediately</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Do not remind again</source>
        <translation>Do not remind again</translation>
    </message>
</context>
<context>
    <name>EditDeviceDialog</name>
    <message>
        <source>The IP address is incomplete or invalid, please enter again!</source>
        <translation>The IP address is incomplete or invalid, please enter again!</translation>
    </message>
    <message>
        <source>The subnet mask is incomplete or invalid, please enter again!</source>
        <translation>The subnet mask is incomplete or invalid, please enter again!</translation>
    </message>
    <message>
        <source>The gateway is incomplete or invalid, please enter again!</source>
        <translation>The gateway is incomplete or invalid, please enter again!</translation>
    </message>
    <message>
        <source>Modify Network Parameters</source>
        <translation>Modify Network Parameters</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP Address</translation>
    </message>
    <message>
        <source>Subnet Mask</source>
        <translation>Subnet Mask</translation>
    </message>
    <message>
        <source>Gateway</source>
        <translation>Gateway</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>EditJournal</name>
    <message>
        <source>Input %1 %2</source>
        <translation>Input %1 %2</translation>
    </message>
    <message>
        <source>Output %1 %2</source>
        <translation>Output %1 %2</translation>
    </message>
    <message>
        <source>High-Pass Filter</source>
        <translation>High-Pass Filter</translation>
    </message>
    <message>
        <source>Low-Pass Filter</source>
        <translation>Low-Pass Filter</translation>
    </message>
    <message>
        <source>EQ Band</source>
        <translation>EQ Band</translation>
    </message>
    <message>
        <source>Limiter</source>
        <translation>Limiter</translation>
    </message>
    <message>
        <source>Delay</source>
        <translation>Delay</translation>
    </message>
    <message>
        <source>All EQ Bands</source>
        <translation>All EQ Bands</translation>
    </message>
    <message>
        <source>Input %1 Feedback Suppression</source>
        <translation>Input %1 Feedback Suppression</translation>
    </message>
    <message>
        <source>Echo Cancellation</source>
        <translation>Echo Cancellation</translation>
    </message>
    <message>
        <source>Echo Cancellation Level</source>
        <translation>Echo Cancellation Level</translation>
    </message>
    <message>
        <source>Echo Cancellation Microphone %1</source>
        <translation>Echo Cancellation Microphone %1</translation>
    </message>
    <message>
        <source>Auto Mixer Weight %1</source>
        <translation>Auto Mixer Weight %1</translation>
    </message>
    <message>
        <source>Auto Mixer Group %1</source>
        <translation>Auto Mixer Group %1</translation>
    </message>
    <message>
        <source>Auto Mixer Group %1 Switch</source>
        <translation>Auto Mixer Group %1 Switch</translation>
    </message>
    <message>
        <source>Signal Generator Switch</source>
        <translation>Signal Generator Switch</translation>
    </message>
    <message>
        <source>Signal Generator Type</source>
        <translation>Signal Generator Type</translation>
    </message>
    <message>
        <source>Signal Generator Frequency</source>
        <translation>Signal Generator Frequency</translation>
    </message>
    <message>
        <source>Signal Generator Gain</source>
        <translation>Signal Generator Gain</translation>
    </message>
    <message>
        <source>Signal Generator to Output %1</source>
        <translation>Signal Generator to Output %1</translation>
    </message>
    <message>
        <source>Input %1 Noise Reduction</source>
        <translation>Input %1 Noise Reduction</translation>
    </message>
    <message>
        <source>Input %1 Gate</source>
        <translation>Input %1 Gate</translation>
    </message>
    <message>
        <source>Input %1 AGC</source>
        <translation>Input %1 AGC</translation>
    </message>
    <message>
        <source>Input %1 Mode</source>
        <translation>Input %1 Mode</translation>
    </message>
    <message>
        <source>Input %1 Phantom Power</source>
        <translation>Input %1 Phantom Power</translation>
    </message>
    <message>
        <source>Input %1 Input Gain</source>
        <translation>Input %1 Input Gain</translation>
    </message>
    <message>
        <source>Input %1 Input Mute</source>
        <translation>Input %1 Input Mute</translation>
    </message>
    <message>
        <source>Input %1 Gain</source>
        <translation>Input %1 Gain</translation>
    </message>
    <message>
        <source>Input %1 Mute</source>
        <translation>Input %1 Mute</translation>
    </message>
    <message>
        <source>Input %1 Invert</source>
        <translation>Input %1 Invert</translation>
    </message>
    <message>
        <source>Input %1 Group</source>
        <translation>Input %1 Group</translation>
    </message>
    <message>
        <source>Output %1 Gain</source>
        <translation>Output %1 Gain</translation>
    </message>
    <message>
        <source>Output %1 Mute</source>
        <translation>Output %1 Mute</translation>
    </message>
    <message>
        <source>Output %1 Invert</source>
        <translation>Output %1 Invert</translation>
    </message>
    <message>
        <source>Output %1 Group</source>
        <translation>Output %1 Group</translation>
    </message>
    <message>
        <source>Matrix Gain to Output %1</source>
        <translation>Matrix Gain to Output %1</translation>
    </message>
    <message>
        <source>Matrix Switch to Output %1</source>
        <translation>Matrix Switch to Output %1</translation>
    </message>
</context>
<context>
    <name>Fader</name>
    <message>
        <source>%1 dB</source>
        <translation>%1 dB</translation>
    </message>
</context>
<context>
    <name>FeedbackWidget</name>
    <message>
        <source>Enabled</source>
        <translation>Enabled</translation>
    </message>
</context>
<context>
    <name>FilterGraph</name>
    <message>
        <source>%1dB</source>
        <translation>%1dB</translation>
    </message>
    <message>
        <source>%1Hz</source>
        <translation>%1Hz</translation>
    </message>
    <message>
        <source>%1KHz</source>
        <translation>%1KHz</translation>
    </message>
    <message>
        <source>H</source>
        <extracomment>Handle of the high-pass filter in the response graph, one character</extracomment>
        <translation>H</translation>
    </message>
    <message>
        <source>L</source>
        <extracomment>Handle of the low-pass filter in the response graph, one character</extracomment>
        <translation>L</translation>
    </message>
    <message>
        <source>Band %1: %2 Hz, %3 dB</source>
        <translation>Band %1: %2 Hz, %3 dB</translation>
    </message>
</context>
<context>
    <name>FilterWidget</name>
    <message>
        <source>Copy To</source>
        <translation>Copy To</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>High Pass</source>
        <translation>High Pass</translation>
    </message>
    <message>
        <source>Low Pass</source>
        <translation>Low Pass</translation>
    </message>
    <message>
        <source>PEQ</source>
        <translation>PEQ</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Enabled</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Bessel</source>
        <translation>Bessel</translation>
    </message>
    <message>
        <source>Butterworth</source>
        <translation>Butterworth</translation>
    </message>
    <message>
        <source>Linkwitz-Riley</source>
        <translation>Linkwitz-Riley</translation>
    </message>
    <message>
        <source>Slope</source>
        <translation>Slope</translation>
    </message>
    <message>
        <source>(dB/oct)</source>
        <translation>(dB/oct)</translation>
    </message>
    <message>
        <source>Freq</source>
        <translation>Freq</translation>
    </message>
    <message>
        <source>(Hz)</source>
        <translation>(Hz)</translation>
    </message>
    <message>
        <source>All Enabled</source>
        <translation>All Enabled</translation>
    </message>
    <message>
        <source>Band</source>
        <translation>Band</translation>
    </message>
    <message>
        <source>Low Shelf</source>
        <translation>Low Shelf</translation>
    </message>
    <message>
        <source>High Shelf</source>
        <translation>High Shelf</translation>
    </message>
    <message>
        <source>Gain</source>
        <translation>Gain</translation>
    </message>
    <message>
        <source>(dB)</source>
        <translation>(dB)</translation>
    </message>
    <message>
        <source>Q</source>
        <translation>Q</translation>
    </message>
    <message>
        <source>Filter Copy</source>
        <translation>Filter Copy</translation>
    </message>
    <message>
        <source>Are you sure that you want to reset the filter of the selected channel?</source>
        <translation>Are you sure that you want to reset the filter of the selected channel?</translation>
    </message>
    <message>
        <source>Filter text (*.txt);;All files (*)</source>
        <translation>Filter text (*.txt);;All files (*)</translation>
    </message>
    <message>
        <source>Import Bands</source>
        <translation>Import Bands</translation>
    </message>
    <message>
        <source>Export Bands</source>
        <translation>Export Bands</translation>
    </message>
    <message>
        <source>%1 could not be read as a band file.</source>
        <translation>%1 could not be read as a band file.</translation>
    </message>
    <message>
        <source>Nothing in %1 could be used.</source>
        <translation>Nothing in %1 could be used.</translation>
    </message>
    <message>
        <source>Send %1 bands from %2 to this channel?</source>
        <translation>Send %1 bands from %2 to this channel?</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Send</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>%1 could not be written.</source>
        <translation>%1 could not be written.</translation>
    </message>
    <message>
        <source>High Pass Frequency</source>
        <translation>High Pass Frequency</translation>
    </message>
    <message>
        <source>Hz</source>
        <translation>Hz</translation>
    </message>
    <message>
        <source>Low Pass Frequency</source>
        <translation>Low Pass Frequency</translation>
    </message>
    <message>
        <source>Band Frequency</source>
        <translation>Band Frequency</translation>
    </message>
    <message>
        <source>Band Gain</source>
        <translation>Band Gain</translation>
    </message>
    <message>
        <source>dB</source>
        <translation>dB</translation>
    </message>
    <message>
        <source>Band Q</source>
        <translation>Band Q</translation>
    </message>
    <message>
        <source>Filter Response</source>
        <translation>Filter Response</translation>
    </message>
</context>
<context>
    <name>GateWidget</name>
    <message>
        <source>State</source>
        <translation>State</translation>
    </message>
    <message>
        <source>Threshold</source>
        <translation>Threshold</translation>
    </message>
    <message>
        <source>(dB)</source>
        <translation>(dB)</translation>
    </message>
    <message>
        <source>Attack</source>
        <translation>Attack</translation>
    </message>
    <message>
        <source>(ms)</source>
        <translation>(ms)</translation>
    </message>
    <message>
        <source>Decay</source>
        <translation>Decay</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Enabled</translation>
    </message>
    <message>
        <source>IN %1</source>
        <translation>IN %1</translation>
    </message>
    <message>
        <source>%1 Gate Threshold</source>
        <translation>%1 Gate Threshold</translation>
    </message>
    <message>
        <source>dB</source>
        <translation>dB</translation>
    </message>
    <message>
        <source>%1 Gate Attack</source>
        <translation>%1 Gate Attack</translation>
    </message>
    <message>
        <source>ms</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>%1 Gate Decay</source>
        <translation>%1 Gate Decay</translation>
    </message>
</context>
<context>
    <name>InSetupWidget</name>
    <message>
        <source>Mic</source>
        <translation>Mic</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Mute</translation>
    </message>
    <message>
        <source>48V</source>
        <translation>48V</translation>
    </message>
    <message>
        <source>Gain</source>
        <translation>Gain</translation>
    </message>
    <message>
        <source>(dBu)</source>
        <translation>(dBu)</translation>
    </message>
    <message>
        <source>%1 Gain</source>
        <translation>%1 Gain</translation>
    </message>
    <message>
        <source>dBu</source>
        <translation>dBu</translation>
    </message>
</context>
<context>
    <name>LabelDialog</name>
    <message>
        <source>Label</source>
        <translation>Label</translation>
    </message>
    <message>
        <source>The input label&apos;s length can not be greater than 16 bytes, please enter again!</source>
        <translation>The input label&apos;s length can not be greater than 16 bytes, please enter again!</translation>
    </message>
    <message>
        <source>The output label&apos;s length can not be greater than 16 bytes, please enter again!</source>
        <translation>The output label&apos;s length can not be greater than 16 bytes, please enter again!</translation>
    </message>
    <message>
        <source>The touch screen label&apos;s length can not be greater than 10 bytes, please enter again!</source>
        <translation>The touch screen label&apos;s length can not be greater than 10 bytes, please enter again!</translation>
    </message>
    <message>
        <source>Input Label</source>
        <translation>Input Label</translation>
    </message>
    <message>
        <source>Output Label</source>
        <translation>Output Label</translation>
    </message>
    <message>
        <source>Touch Screen Label</source>
        <translation>Touch Screen Label</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>LevelWidget</name>
    <message>
        <source>Invert</source>
        <translation>Invert</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Mute</translation>
    </message>
    <message>
        <source>Grp </source>
        <translation>Grp </translation>
    </message>
    <message>
        <source>%1 Group</source>
        <translation>%1 Group</translation>
    </message>
    <message>
        <source>%1 Invert</source>
        <translation>%1 Invert</translation>
    </message>
    <message>
        <source>%1 Mute</source>
        <translation>%1 Mute</translation>
    </message>
    <message>
        <source>%1 Gain (dB)</source>
        <translation>%1 Gain (dB)</translation>
    </message>
    <message>
        <source>%1 Gain</source>
        <translation>%1 Gain</translation>
    </message>
    <message>
        <source>%1 Level</source>
        <translation>%1 Level</translation>
    </message>
    <message>
        <source>%1 Left Level</source>
        <translation>%1 Left Level</translation>
    </message>
    <message>
        <source>%1 Right Level</source>
        <translation>%1 Right Level</translation>
    </message>
</context>
<context>
    <name>LimiterWidget</name>
    <message>
        <source>Copy To</source>
        <translation>Copy To</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Enabled</translation>
    </message>
    <message>
        <source>Threshold</source>
        <translation>Threshold</translation>
    </message>
    <message>
        <source>(dB)</source>
        <translation>(dB)</translation>
    </message>
    <message>
        <source>Ratio</source>
        <translation>Ratio</translation>
    </message>
    <message>
        <source>Attack</source>
        <translation>Attack</translation>
    </message>
    <message>
        <source>(ms)</source>
        <translation>(ms)</translation>
    </message>
    <message>
        <source>Decay</source>
        <translation>Decay</translation>
    </message>
    <message>
        <source>Limiter Copy</source>
        <translation>Limiter Copy</translation>
    </message>
    <message>
        <source>Are you sure that you want to reset the limiter of the selected channel?</source>
        <translation>Are you sure that you want to reset the limiter of the selected channel?</translation>
    </message>
    <message>
        <source>Limiter Threshold</source>
        <translation>Limiter Threshold</translation>
    </message>
    <message>
        <source>dB</source>
        <translation>dB</translation>
    </message>
    <message>
        <source>Limiter Ratio</source>
        <translation>Limiter Ratio</translation>
    </message>
    <message>
        <source>Limiter Attack</source>
        <translation>Limiter Attack</translation>
    </message>
    <message>
        <source>ms</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>Limiter Decay</source>
        <translation>Limiter Decay</translation>
    </message>
</context>
<context>
    <name>LoginDialog</name>
    <message>
        <source>Login</source>
        <translation>Login</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>Enter password to login</source>
        <translation>Enter password to login</translation>
    </message>
    <message>
        <source>Password is wrong!</source>
        <translation>Password is wrong!</translation>
    </message>
    <message>
        <source>The unit at %1 asks for its password.</source>
        <translation>The unit at %1 asks for its password.</translation>
    </message>
    <message>
        <source>%1 at %2 asks for its password.</source>
        <translation>%1 at %2 asks for its password.</translation>
    </message>
    <message>
        <source>Its address changed since the password was accepted at %1, so the password was not sent again.</source>
        <translation>Its address changed since the password was accepted at %1, so the password was not sent again.</translation>
    </message>
</context>
<context>
    <name>MainMenuBar</name>
    <message>
        <source>Restart to take effect</source>
        <translation>Restart to take effect</translation>
    </message>
    <message>
        <source>Disabling high DPI scaling and the application will keep the default size.</source>
        <translation>Disabling high DPI scaling and the application will keep the default size.</translation>
    </message>
    <message>
        <source>Need to restart the application to take effect, are you sure that you want to restart now?</source>
        <translation>Need to restart the application to take effect, are you sure that you want to restart now?</translation>
    </message>
    <message>
        <source>Restart immediately to take effect</source>
        <translation>Restart immediately to take effect</translation>
    </message>
    <message>
        <source>No, take effect at next startup</source>
        <translation>No, take effect at next startup</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>Chinese</translation>
    </message>
    <message>
        <source>Interface Color</source>
        <translation>Interface Color</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Light</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>Dark</translation>
    </message>
    <message>
        <source>Device List</source>
        <translation>Device List</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>Label</translation>
    </message>
    <message>
        <source>Meter</source>
        <translation>Meter</translation>
    </message>
    <message>
        <source>Preset</source>
        <translation>Preset</translation>
    </message>
    <message>
        <source>Rec/Play</source>
        <translation>Rec/Play</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>Setup</translation>
    </message>
    <message>
        <source>Device Version Selection</source>
        <translation>Device Version Selection</translation>
    </message>
    <message>
        <source>System Upgrade</source>
        <translation>System Upgrade</translation>
    </message>
    <message>
        <source>System Reset</source>
        <translation>System Reset</translation>
    </message>
    <message>
        <source>Command Assistant</source>
        <translation>Command Assistant</translation>
    </message>
    <message>
        <source>High DPI Scaling</source>
        <translation>High DPI Scaling</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Enabled</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Disabled</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Save State...</source>
        <translation>Save State...</translation>
    </message>
    <message>
        <source>Compare State...</source>
        <translation>Compare State...</translation>
    </message>
</context>
<context>
    <name>MainStatusBar</name>
    <message>
        <source>DSP Usage : </source>
        <translation>DSP Usage : </translation>
    </message>
    <message>
        <source>Serial Number : </source>
        <translation>Serial Number : </translation>
    </message>
    <message>
        <source>Fan trigger instructions:
The cooling fan of the machine is temperature controlled and automatically turns on.
When the temperature is greater than or equal to 30℃, the fan automatically turns on.
When the temperature is less than or equal to 27℃, the fan automatically turns off.</source>
        <translation>Fan trigger instructions:
The cooling fan of the machine is temperature controlled and automatically turns on.
When the temperature is greater than or equal to 30℃, the fan automatically turns on.
When the temperature is less than or equal to 27℃, the fan automatically turns off.</translation>
    </message>
    <message>
        <source> Temp : %1 ℃ </source>
        <translation> Temp : %1 ℃ </translation>
    </message>
    <message>
        <source> Fan : %1 </source>
        <translation> Fan : %1 </translation>
    </message>
    <message>
        <source>ON</source>
        <translation>ON</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>ARM :</source>
        <translation>ARM :</translation>
    </message>
    <message>
        <source>DSP :</source>
        <translation>DSP :</translation>
    </message>
    <message>
        <source>System Mute</source>
        <translation>System Mute</translation>
    </message>
    <message>
        <source>PC : V</source>
        <translation>PC : V</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>System Reset</source>
        <translation>System Reset</translation>
    </message>
    <message>
        <source>Restore the factory settings will delete all user data!</source>
        <translation>Restore the factory settings will delete all user data!</translation>
    </message>
    <message>
        <source>Are you sure that you want to reformat the disk and erase all data?</source>
        <translation>Are you sure that you want to reformat the disk and erase all data?</translation>
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
        <source>Found fault :</source>
        <translation>Found fault :</translation>
    </message>
    <message>
        <source>See the Device Setup page for details.</source>
        <translation>See the Device Setup page for details.</translation>
    </message>
    <message>
        <source>Device Fault</source>
        <translation>Device Fault</translation>
    </message>
    <message>
        <source>Device List</source>
        <translation>Device List</translation>
    </message>
    <message>
        <source>The saved list of units (devices.db) was damaged and could not be read. It was kept as %1, and a new list has been started.</source>
        <translation>The saved list of units (devices.db) was damaged and could not be read. It was kept as %1, and a new list has been started.</translation>
    </message>
</context>
<context>
    <name>MatrixTableWidget</name>
    <message>
        <source>%1 dB</source>
        <translation>%1 dB</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Matrix</source>
        <translation>Matrix</translation>
    </message>
    <message>
        <source>All the input channel mix to %1</source>
        <translation>All the input channel mix to %1</translation>
    </message>
    <message>
        <source>%1 mix to all the output channel</source>
        <translation>%1 mix to all the output channel</translation>
    </message>
    <message>
        <source>Are you sure that you want to enable or disable all the input channel mix to %1?</source>
        <translation>Are you sure that you want to enable or disable all the input channel mix to %1?</translation>
    </message>
    <message>
        <source>Are you sure that you want to enable or disable %1 mix to all the output channel?</source>
        <translation>Are you sure that you want to enable or disable %1 mix to all the output channel?</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Enabled</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Disabled</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>%1 to %2</translation>
    </message>
</context>
<context>
    <name>MatrixWidget</name>
    <message>
        <source>All Mix</source>
        <translation>All Mix</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Are you sure that you want to enable all the mixer and set their gain to 0dB?</source>
        <translation>Are you sure that you want to enable all the mixer and set their gain to 0dB?</translation>
    </message>
    <message>
        <source>Are you sure that you want to disable all the mixer and set their gain to 0dB?</source>
        <translation>Are you sure that you want to disable all the mixer and set their gain to 0dB?</translation>
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
    <name>Meter</name>
    <message>
        <source>%1 dBFS</source>
        <translation>%1 dBFS</translation>
    </message>
</context>
<context>
    <name>MeterDialog</name>
    <message>
        <source>Meter</source>
        <translation>Meter</translation>
    </message>
    <message>
        <source>Input Pre Fader</source>
        <translation>Input Pre Fader</translation>
    </message>
    <message>
        <source>Input Post Fader</source>
        <translation>Input Post Fader</translation>
    </message>
    <message>
        <source>Output Pre Fader</source>
        <translation>Output Pre Fader</translation>
    </message>
    <message>
        <source>Output Post Fader</source>
        <translation>Output Post Fader</translation>
    </message>
    <message>
        <source>%1 Left, %2</source>
        <translation>%1 Left, %2</translation>
    </message>
    <message>
        <source>%1 Right, %2</source>
        <translation>%1 Right, %2</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
</context>
<context>
    <name>MixButton</name>
    <message>
        <source>%1 dB</source>
        <translation>%1 dB</translation>
    </message>
</context>
<context>
    <name>ModulePage</name>
    <message>
        <source>In Setup</source>
        <translation>In Setup</translation>
    </message>
    <message>
        <source>Feedback</source>
        <translation>Feedback</translation>
    </message>
    <message>
        <source>AGC</source>
        <translation>AGC</translation>
    </message>
    <message>
        <source>Gate</source>
        <translation>Gate</translation>
    </message>
    <message>
        <source>In Filter</source>
        <translation>In Filter</translation>
    </message>
    <message>
        <source>In Limiter</source>
        <translation>In Limiter</translation>
    </message>
    <message>
        <source>Matrix</source>
        <translation>Matrix</translation>
    </message>
    <message>
        <source>Signal Generator</source>
        <translation>Signal Generator</translation>
    </message>
    <message>
        <source>AEC</source>
        <translation>AEC</translation>
    </message>
    <message>
        <source>Auto Mixer</source>
        <translation>Auto Mixer</translation>
    </message>
    <message>
        <source>Out Filter</source>
        <translation>Out Filter</translation>
    </message>
    <message>
        <source>Out Limiter</source>
        <translation>Out Limiter</translation>
    </message>
    <message>
        <source>Out Delay</source>
        <translation>Out Delay</translation>
    </message>
    <message>
        <source>%1 - Copy %2 to</source>
        <translation>%1 - Copy %2 to</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>PresetDialog</name>
    <message>
        <source>Preset</source>
        <translation>Preset</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Import All</source>
        <translation>Import All</translation>
    </message>
    <message>
        <source>Export All</source>
        <translation>Export All</translation>
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
        <source>The preset name&apos;s length can not be greater than 16 bytes, please enter again!</source>
        <translation>The preset name&apos;s length can not be greater than 16 bytes, please enter again!</translation>
    </message>
    <message>
        <source>Are you sure that you want to save current settings to preset </source>
        <translation>Are you sure that you want to save current settings to preset </translation>
    </message>
    <message>
        <source>Are you sure that you want to load preset </source>
        <translation>Are you sure that you want to load preset </translation>
    </message>
    <message>
        <source>Are you sure that you want to delete preset </source>
        <translation>Are you sure that you want to delete preset </translation>
    </message>
    <message>
        <source>Save preset as</source>
        <translation>Save preset as</translation>
    </message>
    <message>
        <source>Save all presets as</source>
        <translation>Save all presets as</translation>
    </message>
    <message>
        <source>pst file</source>
        <translation>pst file</translation>
    </message>
    <message>
        <source>pstl file</source>
        <translation>pstl file</translation>
    </message>
    <message>
        <source>Exporting...</source>
        <translation>Exporting...</translation>
    </message>
    <message>
        <source>Exporting All...</source>
        <translation>Exporting All...</translation>
    </message>
    <message>
        <source>Select a preset file to import</source>
        <translation>Select a preset file to import</translation>
    </message>
    <message>
        <source>Import...</source>
        <translation>Import...</translation>
    </message>
    <message>
        <source>Import All...</source>
        <translation>Import All...</translation>
    </message>
    <message>
        <source>File format is error!</source>
        <translation>File format is error!</translation>
    </message>
    <message>
        <source>The preset is empty: there is nothing to export.</source>
        <translation>The preset is empty: there is nothing to export.</translation>
    </message>
    <message>
        <source>The file could not be written; an earlier file of that name is unchanged.</source>
        <translation>The file could not be written; an earlier file of that name is unchanged.</translation>
    </message>
    <message>
        <source>The unit stopped answering; the transfer was stopped.</source>
        <translation>The unit stopped answering; the transfer was stopped.</translation>
    </message>
    <message>
        <source>Loading</source>
        <translation>Loading</translation>
    </message>
</context>
<context>
    <name>ProgressDialog</name>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>RecPlayDialog</name>
    <message>
        <source>Rec/Play</source>
        <translation>Rec/Play</translation>
    </message>
    <message>
        <source>USB Record</source>
        <translation>USB Record</translation>
    </message>
    <message>
        <source>File Name</source>
        <translation>File Name</translation>
    </message>
    <message>
        <source>USB Playback</source>
        <translation>USB Playback</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>USB Play List</source>
        <translation>USB Play List</translation>
    </message>
    <message>
        <source>USB Record List</source>
        <translation>USB Record List</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Mute</translation>
    </message>
    <message>
        <source>Note:
Supports mp3, wav, ape, aac and flac file formats for USB playback. Only supports USB storage device of FAT32 format.
Play files fixed in the audio directory of the root directory. Record files fixed in the record directory of the root directory.</source>
        <translation>Note:
Supports mp3, wav, ape, aac and flac file formats for USB playback. Only supports USB storage device of FAT32 format.
Play files fixed in the audio directory of the root directory. Record files fixed in the record directory of the root directory.</translation>
    </message>
    <message>
        <source>Shuffle</source>
        <translation>Shuffle</translation>
    </message>
    <message>
        <source>Repeat Single</source>
        <translation>Repeat Single</translation>
    </message>
    <message>
        <source>Repeat List</source>
        <translation>Repeat List</translation>
    </message>
    <message>
        <source>Order</source>
        <translation>Order</translation>
    </message>
    <message>
        <source>The file name&apos;s length can not be greater than 32 bytes, please enter again!</source>
        <translation>The file name&apos;s length can not be greater than 32 bytes, please enter again!</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>USB not inserted!</source>
        <translation>USB not inserted!</translation>
    </message>
</context>
<context>
    <name>SignalGeneratorWidget</name>
    <message>
        <source>Mute</source>
        <translation>Mute</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Pink Noise</source>
        <translation>Pink Noise</translation>
    </message>
    <message>
        <source>Sine Wave</source>
        <translation>Sine Wave</translation>
    </message>
    <message>
        <source>White Noise</source>
        <translation>White Noise</translation>
    </message>
    <message>
        <source>Freq</source>
        <translation>Freq</translation>
    </message>
    <message>
        <source>(Hz)</source>
        <translation>(Hz)</translation>
    </message>
    <message>
        <source>Gain</source>
        <translation>Gain</translation>
    </message>
    <message>
        <source>(dB)</source>
        <translation>(dB)</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Output</translation>
    </message>
    <message>
        <source>Generator Frequency</source>
        <translation>Generator Frequency</translation>
    </message>
    <message>
        <source>Hz</source>
        <translation>Hz</translation>
    </message>
    <message>
        <source>Generator Gain</source>
        <translation>Generator Gain</translation>
    </message>
    <message>
        <source>dB</source>
        <translation>dB</translation>
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
<context>
    <name>SystemUpgradeProgressDialog</name>
    <message>
        <source>System Upgrade</source>
        <translation>System Upgrade</translation>
    </message>
    <message>
        <source>Upgrading...</source>
        <translation>Upgrading...</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Select a DSP firmware file to upgrade</source>
        <translation>Select a DSP firmware file to upgrade</translation>
    </message>
    <message>
        <source>Select a firmware file to upgrade</source>
        <translation>Select a firmware file to upgrade</translation>
    </message>
    <message>
        <source>bin file</source>
        <translation>bin file</translation>
    </message>
    <message>
        <source>img file</source>
        <translation>img file</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>File is error!</source>
        <translation>File is error!</translation>
    </message>
    <message>
        <source>File format is error!</source>
        <translation>File format is error!</translation>
    </message>
    <message>
        <source>Upgrade failed!</source>
        <translation>Upgrade failed!</translation>
    </message>
    <message>
        <source>No unit is connected.</source>
        <translation>No unit is connected.</translation>
    </message>
    <message>
        <source>The connection to the unit was lost.</source>
        <translation>The connection to the unit was lost.</translation>
    </message>
</context>
<context>
    <name>TestDialog</name>
    <message>
        <source>Test</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>48V</source>
        <translation>48V</translation>
    </message>
    <message>
        <source>DSP Upgrade</source>
        <translation>DSP Upgrade</translation>
    </message>
    <message>
        <source>Force Upgrade</source>
        <translation>Force Upgrade</translation>
    </message>
</context>
<context>
    <name>TwoFieldInputDialog</name>
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
    <name>UndoHistory</name>
    <message>
        <source>Undo history cleared: the connection to the unit changed.</source>
        <translation>Undo history cleared: the connection to the unit changed.</translation>
    </message>
    <message>
        <source>Undo history cleared: a preset was loaded.</source>
        <translation>Undo history cleared: a preset was loaded.</translation>
    </message>
    <message>
        <source>Undo history cleared: settings were reset.</source>
        <translation>Undo history cleared: settings were reset.</translation>
    </message>
    <message>
        <source>Undo history cleared: settings were copied to other channels.</source>
        <translation>Undo history cleared: settings were copied to other channels.</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>Undo %1</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation>Redo %1</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Redo</translation>
    </message>
</context>
<context>
    <name>filtertext</name>
    <message>
        <source>Line %1: the preamp (%2) is not a band of the unit; ignored.</source>
        <translation>Line %1: the preamp (%2) is not a band of the unit; ignored.</translation>
    </message>
    <message>
        <source>Line %1 could not be read: %2</source>
        <translation>Line %1 could not be read: %2</translation>
    </message>
    <message>
        <source>Filter %1: the unit has no %2 band (only PK, LS and HS); ignored.</source>
        <translation>Filter %1: the unit has no %2 band (only PK, LS and HS); ignored.</translation>
    </message>
    <message>
        <source>Filter %1 has no frequency; ignored.</source>
        <translation>Filter %1 has no frequency; ignored.</translation>
    </message>
    <message>
        <source>Filter %1: %2 Hz lies outside 20 to 20000 Hz; ignored.</source>
        <translation>Filter %1: %2 Hz lies outside 20 to 20000 Hz; ignored.</translation>
    </message>
    <message>
        <source>Filter %1: a gain of %2 dB lies outside -15 to +15 dB; ignored.</source>
        <translation>Filter %1: a gain of %2 dB lies outside -15 to +15 dB; ignored.</translation>
    </message>
    <message>
        <source>Filter %1 has no Q; ignored.</source>
        <translation>Filter %1 has no Q; ignored.</translation>
    </message>
    <message>
        <source>Filter %1: a Q of %2 lies outside 0.5 to 20; ignored.</source>
        <translation>Filter %1: a Q of %2 lies outside 0.5 to 20; ignored.</translation>
    </message>
    <message>
        <source>Filter %1: Q %2 becomes %3, the unit&apos;s nearest step.</source>
        <translation>Filter %1: Q %2 becomes %3, the unit&apos;s nearest step.</translation>
    </message>
    <message>
        <source>Filter %1: the unit&apos;s shelves have a fixed slope; Q %2 is not used.</source>
        <translation>Filter %1: the unit&apos;s shelves have a fixed slope; Q %2 is not used.</translation>
    </message>
    <message>
        <source>Filter %1: the unit has 8 bands, all taken; ignored.</source>
        <translation>Filter %1: the unit has 8 bands, all taken; ignored.</translation>
    </message>
    <message>
        <source>Band %1 is switched off.</source>
        <translation>Band %1 is switched off.</translation>
    </message>
    <message>
        <source>Bands %1 to %2 are switched off.</source>
        <translation>Bands %1 to %2 are switched off.</translation>
    </message>
</context>
</TS>
