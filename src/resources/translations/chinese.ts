<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>AECWidget</name>
    <message>
        <source>From
Video conference
terminal audio</source>
        <translation>来自
视频会议
终端音频</translation>
    </message>
    <message>
        <source>To
Video conference
terminal audio</source>
        <translation>送往
视频会议
终端音频</translation>
    </message>
    <message>
        <source>IN CH3-16
Local conference
audio source</source>
        <translation>输入 CH3-16
本地会议
音源</translation>
    </message>
    <message>
        <source>OUT CH3-16
Local conference
Amplifier</source>
        <translation>输出 CH3-16
本地会议
功放</translation>
    </message>
    <message>
        <source>Local Setting</source>
        <translation>本地设置</translation>
    </message>
    <message>
        <source>AEC(Remote Benefit)</source>
        <translation>回声消除(远端受益)</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>等级</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>禁用</translation>
    </message>
    <message>
        <source>Weak</source>
        <translation>弱</translation>
    </message>
    <message>
        <source>Strong</source>
        <translation>强</translation>
    </message>
    <message>
        <source>Strongest</source>
        <translation>最强</translation>
    </message>
    <message>
        <source>Select the microphone channels for video conference</source>
        <translation>选择用于视频会议的话筒通道</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>启用</translation>
    </message>
</context>
<context>
    <name>AGCWidget</name>
    <message>
        <source>Copy To</source>
        <translation>复制到</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>复位</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>启用</translation>
    </message>
    <message>
        <source>Threshold</source>
        <translation>阈值</translation>
    </message>
    <message>
        <source>(dB)</source>
        <translation>(dB)</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>目标</translation>
    </message>
    <message>
        <source>Ratio</source>
        <translation>比率</translation>
    </message>
    <message>
        <source>Attack</source>
        <translation>启动时间</translation>
    </message>
    <message>
        <source>(ms)</source>
        <translation>(ms)</translation>
    </message>
    <message>
        <source>Decay</source>
        <translation>释放时间</translation>
    </message>
    <message>
        <source>AGC Copy</source>
        <translation>自动增益复制</translation>
    </message>
    <message>
        <source>Are you sure that you want to reset the agc of the selected channel?</source>
        <translation>确定要将所选通道的自动增益复位吗？</translation>
    </message>
    <message>
        <source>AGC Threshold</source>
        <translation>自动增益阈值</translation>
    </message>
    <message>
        <source>dB</source>
        <translation>dB</translation>
    </message>
    <message>
        <source>AGC Target</source>
        <translation>自动增益目标</translation>
    </message>
    <message>
        <source>AGC Ratio</source>
        <translation>自动增益比率</translation>
    </message>
    <message>
        <source>AGC Attack</source>
        <translation>自动增益启动时间</translation>
    </message>
    <message>
        <source>ms</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>AGC Decay</source>
        <translation>自动增益释放时间</translation>
    </message>
</context>
<context>
    <name>ANCWidget</name>
    <message>
        <source>Channel Enabled</source>
        <translation>通道启用</translation>
    </message>
    <message>
        <source>Noise Reduction Level</source>
        <translation>降噪等级</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>禁用</translation>
    </message>
    <message>
        <source>Weak</source>
        <translation>弱</translation>
    </message>
    <message>
        <source>Strong</source>
        <translation>强</translation>
    </message>
    <message>
        <source>Strongest</source>
        <translation>最强</translation>
    </message>
</context>
<context>
    <name>AddDeviceDialog</name>
    <message>
        <source>Add Device</source>
        <translation>添加设备</translation>
    </message>
    <message>
        <source>The IP address is incomplete or invalid, please enter again!</source>
        <translation>IP 地址不完整或无效，请重新输入！</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP 地址</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>The unit at %1 is already in the list; it has been selected.</source>
        <translation>%1 处的设备已在列表中，已为您选中该设备。</translation>
    </message>
    <message>
        <source>The list is full; remove units that are no longer used first.</source>
        <translation>设备列表已满，请先移除不再使用的设备。</translation>
    </message>
</context>
<context>
    <name>AutoMixerInfoDialog</name>
    <message>
        <source>1. Features two independent automix groups.</source>
        <translation>1. 具有两个独立的自动混音组。</translation>
    </message>
    <message>
        <source>2. Select the AM1 or AM2 button to assign the channel to the automix group 1 or 2.</source>
        <translation>2. 选择 AM1 或 AM2 按钮，将通道分配到自动混音组 1 或 2。</translation>
    </message>
    <message>
        <source>3. Use the fader to modify the priority of the volume assigned to the channel.</source>
        <translation>3. 使用推子修改分配给该通道的音量优先级。</translation>
    </message>
    <message>
        <source>In general, which channel&apos;s voice is important, its weight is assigned more. Normally, the default is 0.</source>
        <translation>一般来说，哪个通道的声音重要，就给它分配更大的权重。通常默认值为 0。</translation>
    </message>
    <message>
        <source>4. Click the &quot;%1&quot; button to enable or disable automix group X.</source>
        <translation>4. 点击“%1”按钮以启用或禁用自动混音组 X。</translation>
    </message>
    <message>
        <source>AM X Enabled</source>
        <translation>AM X 启用</translation>
    </message>
    <message>
        <source>5. The upper and lower meters indicate the attenuation and the level after attenuation.</source>
        <translation>5. 上方和下方的电平表分别显示衰减量和衰减后的电平。</translation>
    </message>
    <message>
        <source>Instructions</source>
        <translation>说明</translation>
    </message>
    <message>
        <source>Instructions for using automix</source>
        <translation>自动混音使用说明</translation>
    </message>
</context>
<context>
    <name>AutoMixerWidget</name>
    <message>
        <source>AM 1 Enabled</source>
        <translation>AM 1 启用</translation>
    </message>
    <message>
        <source>AM 2 Enabled</source>
        <translation>AM 2 启用</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>复位</translation>
    </message>
    <message>
        <source>Instructions</source>
        <translation>说明</translation>
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
        <translation>确定要复位自动混音器吗？</translation>
    </message>
</context>
<context>
    <name>ChannelCopyDialog</name>
    <message>
        <source>Input</source>
        <translation>输入</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>输出</translation>
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
    <name>CommandAssistantDialog</name>
    <message>
        <source>Command Assistant</source>
        <translation>命令助手</translation>
    </message>
    <message>
        <source>RS232 Baud Rate : 115200 (Default)
TCP Port : %1</source>
        <translation>RS232 波特率 : 115200 (默认)
TCP 端口 : %1</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>登录</translation>
    </message>
    <message>
        <source>Level Pre Mix</source>
        <translation>混音前电平</translation>
    </message>
    <message>
        <source>Out Level</source>
        <translation>输出电平</translation>
    </message>
    <message>
        <source>Preset</source>
        <translation>预设</translation>
    </message>
    <message>
        <source>System Mute</source>
        <translation>系统静音</translation>
    </message>
    <message>
        <source>Command</source>
        <translation>指令</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
</context>
<context>
    <name>CommandLevelWidget</name>
    <message>
        <source>Channel</source>
        <translation>通道</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>静音</translation>
    </message>
    <message>
        <source>Gain(Fixed Value)</source>
        <translation>增益(固定值)</translation>
    </message>
    <message>
        <source>Gain(Increment/Decrement)</source>
        <translation>增益(增加/减少)</translation>
    </message>
    <message>
        <source>Generate Command</source>
        <translation>生成指令</translation>
    </message>
</context>
<context>
    <name>CommandLoginWidget</name>
    <message>
        <source>Login(TCP Only)</source>
        <translation>登录(仅TCP)</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密码</translation>
    </message>
    <message>
        <source>Generate Command</source>
        <translation>生成指令</translation>
    </message>
</context>
<context>
    <name>CommandPresetWidget</name>
    <message>
        <source>Recall Preset</source>
        <translation>调用预设</translation>
    </message>
    <message>
        <source>Generate Command</source>
        <translation>生成指令</translation>
    </message>
</context>
<context>
    <name>CommandSystemMuteWidget</name>
    <message>
        <source>System Mute</source>
        <translation>系统静音</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>静音</translation>
    </message>
    <message>
        <source>Generate Command</source>
        <translation>生成指令</translation>
    </message>
</context>
<context>
    <name>CompareStateDialog</name>
    <message>
        <source>Unit state (*.txt *.json);;All files (*)</source>
        <translation>设备状态 (*.txt *.json);;所有文件 (*)</translation>
    </message>
    <message>
        <source>No unit is connected: there is no state to save.</source>
        <translation>未连接设备，没有可保存的状态。</translation>
    </message>
    <message>
        <source>Save State</source>
        <translation>保存状态</translation>
    </message>
    <message>
        <source>%1 could not be written.</source>
        <translation>无法写入 %1。</translation>
    </message>
    <message>
        <source>Reading the unit...</source>
        <translation>正在读取设备...</translation>
    </message>
    <message>
        <source>%1 holds no state of a unit.</source>
        <translation>%1 中没有设备状态。</translation>
    </message>
    <message>
        <source>Lines of %1 not used: %2</source>
        <translation>%1 中未使用的行：%2</translation>
    </message>
    <message>
        <source>Open State</source>
        <translation>打开状态</translation>
    </message>
    <message>
        <source>Open Second State</source>
        <translation>打开第二个状态</translation>
    </message>
    <message>
        <source>Open Second State (%1)</source>
        <translation>打开第二个状态（%1）</translation>
    </message>
    <message>
        <source>Open a saved state to compare it with the connected unit, or two saved states to compare them with each other.</source>
        <translation>打开一个已保存的状态与已连接的设备比较，或打开两个已保存的状态互相比较。</translation>
    </message>
    <message>
        <source>%1 is open; connect to a unit or open a second state.</source>
        <translation>已打开 %1；请连接设备或打开第二个状态。</translation>
    </message>
    <message>
        <source>Differences between %1 and %2: %3</source>
        <translation>%1 与 %2 的差异：%3</translation>
    </message>
    <message>
        <source>the unit</source>
        <translation>设备</translation>
    </message>
    <message>
        <source>Compare State</source>
        <translation>比较状态</translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation>参数</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>设备</translation>
    </message>
    <message>
        <source>Saved</source>
        <translation>已保存</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>刷新</translation>
    </message>
    <message>
        <source>Send Selected</source>
        <translation>发送所选</translation>
    </message>
</context>
<context>
    <name>DelayWidget</name>
    <message>
        <source>Time (ms)</source>
        <translation>时间 (ms)</translation>
    </message>
    <message>
        <source>Distance (m)</source>
        <translation>距离 (m)</translation>
    </message>
    <message>
        <source>Distance (ft)</source>
        <translation>距离 (ft)</translation>
    </message>
    <message>
        <source>%1 Delay</source>
        <translation>%1 延时</translation>
    </message>
</context>
<context>
    <name>DeviceItemWidget</name>
    <message>
        <source>Fault</source>
        <translation>故障</translation>
    </message>
    <message>
        <source>Online</source>
        <translation>在线</translation>
    </message>
    <message>
        <source>Offline</source>
        <translation>离线</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>正在连接...</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>已连接</translation>
    </message>
    <message>
        <source>Logged in</source>
        <translation>已登录</translation>
    </message>
    <message>
        <source>Timed out</source>
        <translation>连接超时</translation>
    </message>
</context>
<context>
    <name>DeviceListDialog</name>
    <message>
        <source>%1day %2:%3:%4</source>
        <translation>%1天 %2:%3:%4</translation>
    </message>
    <message>
        <source>Online(Unlogin)</source>
        <translation>在线(未登录)</translation>
    </message>
    <message>
        <source>Online(Logined)</source>
        <translation>在线(已登录)</translation>
    </message>
    <message>
        <source>Logined</source>
        <translation>已登录</translation>
    </message>
    <message>
        <source>Offline</source>
        <translation>离线</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Device List</source>
        <translation>设备列表</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP 地址</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>型号</translation>
    </message>
    <message>
        <source>ARM Version</source>
        <translation>ARM 版本</translation>
    </message>
    <message>
        <source>DSP Version</source>
        <translation>DSP 版本</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>位置</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>描述</translation>
    </message>
    <message>
        <source>Serial Number</source>
        <translation>序列号</translation>
    </message>
    <message>
        <source>Link Status</source>
        <translation>连接状态</translation>
    </message>
    <message>
        <source>Run Time</source>
        <translation>运行时间</translation>
    </message>
    <message>
        <source>Total Time</source>
        <translation>累计运行时间</translation>
    </message>
    <message>
        <source>Device ID</source>
        <translation>设备 ID</translation>
    </message>
</context>
<context>
    <name>DeviceModelDialog</name>
    <message>
        <source>Device Model</source>
        <translation>设备型号</translation>
    </message>
    <message>
        <source>Serial Number</source>
        <translation>序列号</translation>
    </message>
    <message>
        <source>Channel Configuration</source>
        <translation>通道配置</translation>
    </message>
    <message>
        <source>Dual Backup Data Sync</source>
        <translation>双备份数据同步</translation>
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
    <name>DeviceSetupDialog</name>
    <message>
        <source>Setup</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Login Password Setting</source>
        <translation>登录密码设置</translation>
    </message>
    <message>
        <source>New Password</source>
        <translation>新密码</translation>
    </message>
    <message>
        <source>Confirm Password</source>
        <translation>确认密码</translation>
    </message>
    <message>
        <source>Not inserted</source>
        <translation>未插入</translation>
    </message>
    <message>
        <source>Inserted</source>
        <translation>已插入</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>正常</translation>
    </message>
    <message>
        <source>The device location&apos;s length can not be greater than 16 bytes, please enter again!</source>
        <translation>设备位置的长度不能超过 16 个字节，请重新输入！</translation>
    </message>
    <message>
        <source>The device description&apos;s length can not be greater than 16 bytes, please enter again!</source>
        <translation>设备描述的长度不能超过 16 个字节，请重新输入！</translation>
    </message>
    <message>
        <source>The IP address&apos;s format is error, please enter again!</source>
        <translation>IP 地址格式错误，请重新输入！</translation>
    </message>
    <message>
        <source>The subnet netmask&apos;s format is error, please enter again!</source>
        <translation>子网掩码格式错误，请重新输入！</translation>
    </message>
    <message>
        <source>The gateway address&apos;s format is error, please enter again!</source>
        <translation>网关地址格式错误，请重新输入！</translation>
    </message>
    <message>
        <source>The two passwords you entered are different, please enter again!</source>
        <translation>两次输入的密码不一致，请重新输入！</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Device Information</source>
        <translation>设备信息</translation>
    </message>
    <message>
        <source>Device Status</source>
        <translation>设备状态</translation>
    </message>
    <message>
        <source>Device Setup</source>
        <translation>设备设置</translation>
    </message>
    <message>
        <source>General Setup</source>
        <translation>常规设置</translation>
    </message>
    <message>
        <source>Volume Limit</source>
        <translation>音量限制</translation>
    </message>
    <message>
        <source>Device Model</source>
        <translation>设备型号</translation>
    </message>
    <message>
        <source>DSP Version</source>
        <translation>DSP 版本</translation>
    </message>
    <message>
        <source>ARM Version</source>
        <translation>ARM 版本</translation>
    </message>
    <message>
        <source>Serial Number</source>
        <translation>序列号</translation>
    </message>
    <message>
        <source>Boot Count</source>
        <translation>开机次数</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>温度</translation>
    </message>
    <message>
        <source>Run Time</source>
        <translation>运行时间</translation>
    </message>
    <message>
        <source>USB Status</source>
        <translation>USB 状态</translation>
    </message>
    <message>
        <source>Code ID</source>
        <translation>代码 ID</translation>
    </message>
    <message>
        <source>Device ID</source>
        <translation>设备 ID</translation>
    </message>
    <message>
        <source>Device Location</source>
        <translation>设备位置</translation>
    </message>
    <message>
        <source>Device Description</source>
        <translation>设备描述</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP 地址</translation>
    </message>
    <message>
        <source>Subnet Mask</source>
        <translation>子网掩码</translation>
    </message>
    <message>
        <source>Gateway</source>
        <translation>网关</translation>
    </message>
    <message>
        <source>MAC Address</source>
        <translation>MAC 地址</translation>
    </message>
    <message>
        <source>Gate Report</source>
        <translation>门限上报</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source> Baud Rate</source>
        <translation> 波特率</translation>
    </message>
    <message>
        <source>Fan Test</source>
        <translation>风扇测试</translation>
    </message>
    <message>
        <source>Fan trigger instructions:
The cooling fan of the machine is temperature controlled and automatically turns on.
When the temperature is greater than or equal to 30℃, the fan automatically turns on.
When the temperature is less than or equal to 27℃, the fan automatically turns off.</source>
        <translation>风扇触发说明：
本机散热风扇由温度控制，自动开启。
当温度大于或等于 30℃ 时，风扇自动开启。
当温度小于或等于 27℃ 时，风扇自动关闭。</translation>
    </message>
    <message>
        <source>Login Password</source>
        <translation>登录密码</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Level Pre Mix</source>
        <translation>混音前电平</translation>
    </message>
    <message>
        <source>Out Level</source>
        <translation>输出电平</translation>
    </message>
    <message>
        <source>Minimum</source>
        <translation>最小值</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>最大值</translation>
    </message>
</context>
<context>
    <name>DeviceSetupEdits</name>
    <message>
        <source>%1day %2:%3:%4</source>
        <translation>%1天 %2:%3:%4</translation>
    </message>
</context>
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
    <name>DeviceWidget</name>
    <message>
        <source>Disconnect</source>
        <translation>断开连接</translation>
    </message>
    <message>
        <source>Are you sure that you want to disconnect the device?</source>
        <translation>确定要断开与设备的连接吗？</translation>
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
        <source>Add Device</source>
        <translation>添加设备</translation>
    </message>
    <message>
        <source>Modify Network Parameters</source>
        <translation>修改网络参数</translation>
    </message>
    <message>
        <source>Remove Device</source>
        <translation>删除设备</translation>
    </message>
    <message>
        <source>Device List</source>
        <translation>设备列表</translation>
    </message>
    <message>
        <source>Connection Timeout</source>
        <translation>连接超时</translation>
    </message>
    <message>
        <source>* The connection timed out!
* Please check the network connection!
* Please make sure that the PC and the device are on the same subnet!
* Please make sure that there is no other IP conflicting with the device IP!
  You can try to modify the PC&apos;s IP or device IP.
  Right-click the mouse to select the device, you can modify its IP.</source>
        <translation>* 连接超时！
* 请检查网络连接！
* 请确保电脑与设备处于同一子网！
* 请确保没有其他 IP 与设备 IP 冲突！
  您可以尝试修改电脑的 IP 或设备的 IP。
  用鼠标右键选择设备，即可修改其 IP。</translation>
    </message>
    <message>
        <source>Modify device IP immediately</source>
        <translation>立即修改设备 IP</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Do not remind again</source>
        <translation>不再提醒</translation>
    </message>
</context>
<context>
    <name>EditDeviceDialog</name>
    <message>
        <source>The IP address is incomplete or invalid, please enter again!</source>
        <translation>IP 地址不完整或无效，请重新输入！</translation>
    </message>
    <message>
        <source>The subnet mask is incomplete or invalid, please enter again!</source>
        <translation>子网掩码不完整或无效，请重新输入！</translation>
    </message>
    <message>
        <source>The gateway is incomplete or invalid, please enter again!</source>
        <translation>网关不完整或无效，请重新输入！</translation>
    </message>
    <message>
        <source>Modify Network Parameters</source>
        <translation>修改网络参数</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP 地址</translation>
    </message>
    <message>
        <source>Subnet Mask</source>
        <translation>子网掩码</translation>
    </message>
    <message>
        <source>Gateway</source>
        <translation>网关</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>EditJournal</name>
    <message>
        <source>Input %1 %2</source>
        <translation>输入 %1 %2</translation>
    </message>
    <message>
        <source>Output %1 %2</source>
        <translation>输出 %1 %2</translation>
    </message>
    <message>
        <source>High-Pass Filter</source>
        <translation>高通滤波器</translation>
    </message>
    <message>
        <source>Low-Pass Filter</source>
        <translation>低通滤波器</translation>
    </message>
    <message>
        <source>EQ Band</source>
        <translation>均衡频段</translation>
    </message>
    <message>
        <source>Limiter</source>
        <translation>限幅器</translation>
    </message>
    <message>
        <source>Delay</source>
        <translation>延时</translation>
    </message>
    <message>
        <source>All EQ Bands</source>
        <translation>全部均衡频段</translation>
    </message>
    <message>
        <source>Input %1 Feedback Suppression</source>
        <translation>输入 %1 反馈抑制</translation>
    </message>
    <message>
        <source>Echo Cancellation</source>
        <translation>回声消除</translation>
    </message>
    <message>
        <source>Echo Cancellation Level</source>
        <translation>回声消除等级</translation>
    </message>
    <message>
        <source>Echo Cancellation Microphone %1</source>
        <translation>回声消除话筒 %1</translation>
    </message>
    <message>
        <source>Auto Mixer Weight %1</source>
        <translation>自动混音权重 %1</translation>
    </message>
    <message>
        <source>Auto Mixer Group %1</source>
        <translation>自动混音分组 %1</translation>
    </message>
    <message>
        <source>Auto Mixer Group %1 Switch</source>
        <translation>自动混音分组 %1 开关</translation>
    </message>
    <message>
        <source>Signal Generator Switch</source>
        <translation>信号发生器开关</translation>
    </message>
    <message>
        <source>Signal Generator Type</source>
        <translation>信号发生器类型</translation>
    </message>
    <message>
        <source>Signal Generator Frequency</source>
        <translation>信号发生器频率</translation>
    </message>
    <message>
        <source>Signal Generator Gain</source>
        <translation>信号发生器增益</translation>
    </message>
    <message>
        <source>Signal Generator to Output %1</source>
        <translation>信号发生器到输出 %1</translation>
    </message>
    <message>
        <source>Input %1 Noise Reduction</source>
        <translation>输入 %1 降噪</translation>
    </message>
    <message>
        <source>Input %1 Gate</source>
        <translation>输入 %1 噪声门</translation>
    </message>
    <message>
        <source>Input %1 AGC</source>
        <translation>输入 %1 自动增益</translation>
    </message>
    <message>
        <source>Input %1 Mode</source>
        <translation>输入 %1 模式</translation>
    </message>
    <message>
        <source>Input %1 Phantom Power</source>
        <translation>输入 %1 幻象电源</translation>
    </message>
    <message>
        <source>Input %1 Input Gain</source>
        <translation>输入 %1 输入增益</translation>
    </message>
    <message>
        <source>Input %1 Input Mute</source>
        <translation>输入 %1 输入静音</translation>
    </message>
    <message>
        <source>Input %1 Gain</source>
        <translation>输入 %1 增益</translation>
    </message>
    <message>
        <source>Input %1 Mute</source>
        <translation>输入 %1 静音</translation>
    </message>
    <message>
        <source>Input %1 Invert</source>
        <translation>输入 %1 反相</translation>
    </message>
    <message>
        <source>Input %1 Group</source>
        <translation>输入 %1 编组</translation>
    </message>
    <message>
        <source>Output %1 Gain</source>
        <translation>输出 %1 增益</translation>
    </message>
    <message>
        <source>Output %1 Mute</source>
        <translation>输出 %1 静音</translation>
    </message>
    <message>
        <source>Output %1 Invert</source>
        <translation>输出 %1 反相</translation>
    </message>
    <message>
        <source>Output %1 Group</source>
        <translation>输出 %1 编组</translation>
    </message>
    <message>
        <source>Matrix Gain to Output %1</source>
        <translation>矩阵到输出 %1 的增益</translation>
    </message>
    <message>
        <source>Matrix Switch to Output %1</source>
        <translation>矩阵到输出 %1 的开关</translation>
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
        <translation>启用</translation>
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
        <translation>%1kHz</translation>
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
        <translation>频段 %1：%2 Hz，%3 dB</translation>
    </message>
</context>
<context>
    <name>FilterWidget</name>
    <message>
        <source>Copy To</source>
        <translation>复制到</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>复位</translation>
    </message>
    <message>
        <source>High Pass</source>
        <translation>高通</translation>
    </message>
    <message>
        <source>Low Pass</source>
        <translation>低通</translation>
    </message>
    <message>
        <source>PEQ</source>
        <translation>参量均衡</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>启用</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>类型</translation>
    </message>
    <message>
        <source>Bessel</source>
        <translation>贝塞尔</translation>
    </message>
    <message>
        <source>Butterworth</source>
        <translation>巴特沃斯</translation>
    </message>
    <message>
        <source>Linkwitz-Riley</source>
        <translation>林克维茨-瑞利</translation>
    </message>
    <message>
        <source>Slope</source>
        <translation>斜率</translation>
    </message>
    <message>
        <source>(dB/oct)</source>
        <translation>(dB/倍频程)</translation>
    </message>
    <message>
        <source>Freq</source>
        <translation>频率</translation>
    </message>
    <message>
        <source>(Hz)</source>
        <translation>(Hz)</translation>
    </message>
    <message>
        <source>All Enabled</source>
        <translation>全部启用</translation>
    </message>
    <message>
        <source>Band</source>
        <translation>频段</translation>
    </message>
    <message>
        <source>Low Shelf</source>
        <translation>低架</translation>
    </message>
    <message>
        <source>High Shelf</source>
        <translation>高架</translation>
    </message>
    <message>
        <source>Gain</source>
        <translation>增益</translation>
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
        <translation>滤波器复制</translation>
    </message>
    <message>
        <source>Are you sure that you want to reset the filter of the selected channel?</source>
        <translation>确定要将所选通道的滤波器复位吗？</translation>
    </message>
    <message>
        <source>Filter text (*.txt);;All files (*)</source>
        <translation>滤波器文本 (*.txt);;所有文件 (*)</translation>
    </message>
    <message>
        <source>Import Bands</source>
        <translation>导入频段</translation>
    </message>
    <message>
        <source>Export Bands</source>
        <translation>导出频段</translation>
    </message>
    <message>
        <source>%1 could not be read as a band file.</source>
        <translation>无法将 %1 读取为频段文件。</translation>
    </message>
    <message>
        <source>Nothing in %1 could be used.</source>
        <translation>%1 中没有可用的内容。</translation>
    </message>
    <message>
        <source>Send %1 bands from %2 to this channel?</source>
        <translation>将 %2 中的 %1 个频段发送到此通道吗？</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>发送</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>%1 could not be written.</source>
        <translation>无法写入 %1。</translation>
    </message>
    <message>
        <source>High Pass Frequency</source>
        <translation>高通频率</translation>
    </message>
    <message>
        <source>Hz</source>
        <translation>Hz</translation>
    </message>
    <message>
        <source>Low Pass Frequency</source>
        <translation>低通频率</translation>
    </message>
    <message>
        <source>Band Frequency</source>
        <translation>频段频率</translation>
    </message>
    <message>
        <source>Band Gain</source>
        <translation>频段增益</translation>
    </message>
    <message>
        <source>dB</source>
        <translation>dB</translation>
    </message>
    <message>
        <source>Band Q</source>
        <translation>频段 Q 值</translation>
    </message>
    <message>
        <source>Filter Response</source>
        <translation>滤波器响应</translation>
    </message>
</context>
<context>
    <name>GateWidget</name>
    <message>
        <source>State</source>
        <translation>状态</translation>
    </message>
    <message>
        <source>Threshold</source>
        <translation>阈值</translation>
    </message>
    <message>
        <source>(dB)</source>
        <translation>(dB)</translation>
    </message>
    <message>
        <source>Attack</source>
        <translation>启动时间</translation>
    </message>
    <message>
        <source>(ms)</source>
        <translation>(ms)</translation>
    </message>
    <message>
        <source>Decay</source>
        <translation>释放时间</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>启用</translation>
    </message>
    <message>
        <source>IN %1</source>
        <translation>IN %1</translation>
    </message>
    <message>
        <source>%1 Gate Threshold</source>
        <translation>%1 噪声门阈值</translation>
    </message>
    <message>
        <source>dB</source>
        <translation>dB</translation>
    </message>
    <message>
        <source>%1 Gate Attack</source>
        <translation>%1 噪声门启动时间</translation>
    </message>
    <message>
        <source>ms</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>%1 Gate Decay</source>
        <translation>%1 噪声门释放时间</translation>
    </message>
</context>
<context>
    <name>InSetupWidget</name>
    <message>
        <source>Mic</source>
        <translation>话筒</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>线路</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>静音</translation>
    </message>
    <message>
        <source>48V</source>
        <translation>48V</translation>
    </message>
    <message>
        <source>Gain</source>
        <translation>增益</translation>
    </message>
    <message>
        <source>(dBu)</source>
        <translation>(dBu)</translation>
    </message>
    <message>
        <source>%1 Gain</source>
        <translation>%1 增益</translation>
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
        <translation>标签</translation>
    </message>
    <message>
        <source>The input label&apos;s length can not be greater than 16 bytes, please enter again!</source>
        <translation>输入标签的长度不能超过16个字节，请重新输入！</translation>
    </message>
    <message>
        <source>The output label&apos;s length can not be greater than 16 bytes, please enter again!</source>
        <translation>输出标签的长度不能超过16个字节，请重新输入！</translation>
    </message>
    <message>
        <source>The touch screen label&apos;s length can not be greater than 10 bytes, please enter again!</source>
        <translation>触摸屏标签的长度不能超过10个字节，请重新输入！</translation>
    </message>
    <message>
        <source>Input Label</source>
        <translation>输入标签</translation>
    </message>
    <message>
        <source>Output Label</source>
        <translation>输出标签</translation>
    </message>
    <message>
        <source>Touch Screen Label</source>
        <translation>触摸屏标签</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>LevelWidget</name>
    <message>
        <source>Invert</source>
        <translation>反相</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>静音</translation>
    </message>
    <message>
        <source>Grp </source>
        <translation>编组 </translation>
    </message>
    <message>
        <source>%1 Group</source>
        <translation>%1 编组</translation>
    </message>
    <message>
        <source>%1 Invert</source>
        <translation>%1 反相</translation>
    </message>
    <message>
        <source>%1 Mute</source>
        <translation>%1 静音</translation>
    </message>
    <message>
        <source>%1 Gain (dB)</source>
        <translation>%1 增益（dB）</translation>
    </message>
    <message>
        <source>%1 Gain</source>
        <translation>%1 增益</translation>
    </message>
    <message>
        <source>%1 Level</source>
        <translation>%1 电平</translation>
    </message>
    <message>
        <source>%1 Left Level</source>
        <translation>%1 左声道电平</translation>
    </message>
    <message>
        <source>%1 Right Level</source>
        <translation>%1 右声道电平</translation>
    </message>
</context>
<context>
    <name>LimiterWidget</name>
    <message>
        <source>Copy To</source>
        <translation>复制到</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>复位</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>启用</translation>
    </message>
    <message>
        <source>Threshold</source>
        <translation>阈值</translation>
    </message>
    <message>
        <source>(dB)</source>
        <translation>(dB)</translation>
    </message>
    <message>
        <source>Ratio</source>
        <translation>比率</translation>
    </message>
    <message>
        <source>Attack</source>
        <translation>启动时间</translation>
    </message>
    <message>
        <source>(ms)</source>
        <translation>(ms)</translation>
    </message>
    <message>
        <source>Decay</source>
        <translation>释放时间</translation>
    </message>
    <message>
        <source>Limiter Copy</source>
        <translation>限幅器复制</translation>
    </message>
    <message>
        <source>Are you sure that you want to reset the limiter of the selected channel?</source>
        <translation>确定要将所选通道的限幅器复位吗？</translation>
    </message>
    <message>
        <source>Limiter Threshold</source>
        <translation>限幅器阈值</translation>
    </message>
    <message>
        <source>dB</source>
        <translation>dB</translation>
    </message>
    <message>
        <source>Limiter Ratio</source>
        <translation>限幅器比率</translation>
    </message>
    <message>
        <source>Limiter Attack</source>
        <translation>限幅器启动时间</translation>
    </message>
    <message>
        <source>ms</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>Limiter Decay</source>
        <translation>限幅器释放时间</translation>
    </message>
</context>
<context>
    <name>LoginDialog</name>
    <message>
        <source>Login</source>
        <translation>登录</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密码</translation>
    </message>
    <message>
        <source>Enter password to login</source>
        <translation>请输入密码登录</translation>
    </message>
    <message>
        <source>Password is wrong!</source>
        <translation>密码错误！</translation>
    </message>
    <message>
        <source>The unit at %1 asks for its password.</source>
        <translation>%1 处的设备要求输入密码。</translation>
    </message>
    <message>
        <source>%1 at %2 asks for its password.</source>
        <translation>%2 处的 %1 要求输入密码。</translation>
    </message>
    <message>
        <source>Its address changed since the password was accepted at %1, so the password was not sent again.</source>
        <translation>该设备的地址已变更（先前在 %1 处接受了密码），因此未再次自动发送密码。</translation>
    </message>
</context>
<context>
    <name>MainMenuBar</name>
    <message>
        <source>Restart to take effect</source>
        <translation>重启生效</translation>
    </message>
    <message>
        <source>Disabling high DPI scaling and the application will keep the default size.</source>
        <translation>关闭高DPI缩放后，程序将保持默认尺寸。</translation>
    </message>
    <message>
        <source>Need to restart the application to take effect, are you sure that you want to restart now?</source>
        <translation>需要重启程序才能生效，确定要立即重启吗？</translation>
    </message>
    <message>
        <source>Restart immediately to take effect</source>
        <translation>立即重启生效</translation>
    </message>
    <message>
        <source>No, take effect at next startup</source>
        <translation>否，下次启动时生效</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>English</source>
        <translation>英文</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>中文</translation>
    </message>
    <message>
        <source>Interface Color</source>
        <translation>界面颜色</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>浅色</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>深色</translation>
    </message>
    <message>
        <source>Device List</source>
        <translation>设备列表</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>标签</translation>
    </message>
    <message>
        <source>Meter</source>
        <translation>电平表</translation>
    </message>
    <message>
        <source>Preset</source>
        <translation>预设</translation>
    </message>
    <message>
        <source>Rec/Play</source>
        <translation>录放</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Device Version Selection</source>
        <translation>设备版本选择</translation>
    </message>
    <message>
        <source>System Upgrade</source>
        <translation>系统升级</translation>
    </message>
    <message>
        <source>System Reset</source>
        <translation>系统复位</translation>
    </message>
    <message>
        <source>Command Assistant</source>
        <translation>命令助手</translation>
    </message>
    <message>
        <source>High DPI Scaling</source>
        <translation>高DPI缩放</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>启用</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>禁用</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>编辑</translation>
    </message>
    <message>
        <source>Save State...</source>
        <translation>保存状态...</translation>
    </message>
    <message>
        <source>Compare State...</source>
        <translation>比较状态...</translation>
    </message>
</context>
<context>
    <name>MainStatusBar</name>
    <message>
        <source>DSP Usage : </source>
        <translation>DSP 占用率 : </translation>
    </message>
    <message>
        <source>Serial Number : </source>
        <translation>序列号 : </translation>
    </message>
    <message>
        <source>Fan trigger instructions:
The cooling fan of the machine is temperature controlled and automatically turns on.
When the temperature is greater than or equal to 30℃, the fan automatically turns on.
When the temperature is less than or equal to 27℃, the fan automatically turns off.</source>
        <translation>风扇触发说明：
本机散热风扇由温度控制，自动开启。
当温度大于或等于30℃时，风扇自动开启。
当温度小于或等于27℃时，风扇自动关闭。</translation>
    </message>
    <message>
        <source> Temp : %1 ℃ </source>
        <translation> 温度 : %1 ℃ </translation>
    </message>
    <message>
        <source> Fan : %1 </source>
        <translation> 风扇 : %1 </translation>
    </message>
    <message>
        <source>ON</source>
        <translation>开</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>关</translation>
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
        <translation>系统静音</translation>
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
        <translation>系统复位</translation>
    </message>
    <message>
        <source>Restore the factory settings will delete all user data!</source>
        <translation>恢复出厂设置将删除所有用户数据！</translation>
    </message>
    <message>
        <source>Are you sure that you want to reformat the disk and erase all data?</source>
        <translation>确定要格式化磁盘并清除所有数据吗？</translation>
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
        <source>Found fault :</source>
        <translation>发现故障 :</translation>
    </message>
    <message>
        <source>See the Device Setup page for details.</source>
        <translation>详情请查看设备设置页面。</translation>
    </message>
    <message>
        <source>Device Fault</source>
        <translation>设备故障</translation>
    </message>
    <message>
        <source>Device List</source>
        <translation>设备列表</translation>
    </message>
    <message>
        <source>The saved list of units (devices.db) was damaged and could not be read. It was kept as %1, and a new list has been started.</source>
        <translation>已保存的设备列表（devices.db）已损坏，无法读取。已将其保留为 %1，并开始了新的设备列表。</translation>
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
        <translation>编辑</translation>
    </message>
    <message>
        <source>Matrix</source>
        <translation>矩阵</translation>
    </message>
    <message>
        <source>All the input channel mix to %1</source>
        <translation>所有输入通道混音到 %1</translation>
    </message>
    <message>
        <source>%1 mix to all the output channel</source>
        <translation>%1 混音到所有输出通道</translation>
    </message>
    <message>
        <source>Are you sure that you want to enable or disable all the input channel mix to %1?</source>
        <translation>确定要启用或禁用所有输入通道到 %1 的混音吗？</translation>
    </message>
    <message>
        <source>Are you sure that you want to enable or disable %1 mix to all the output channel?</source>
        <translation>确定要启用或禁用 %1 到所有输出通道的混音吗？</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>启用</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>禁用</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>%1 到 %2</translation>
    </message>
</context>
<context>
    <name>MatrixWidget</name>
    <message>
        <source>All Mix</source>
        <translation>全部混音</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>复位</translation>
    </message>
    <message>
        <source>Are you sure that you want to enable all the mixer and set their gain to 0dB?</source>
        <translation>确定要启用所有混音点并将其增益设为 0dB 吗？</translation>
    </message>
    <message>
        <source>Are you sure that you want to disable all the mixer and set their gain to 0dB?</source>
        <translation>确定要禁用所有混音点并将其增益设为 0dB 吗？</translation>
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
        <translation>电平表</translation>
    </message>
    <message>
        <source>Input Pre Fader</source>
        <translation>输入推子前</translation>
    </message>
    <message>
        <source>Input Post Fader</source>
        <translation>输入推子后</translation>
    </message>
    <message>
        <source>Output Pre Fader</source>
        <translation>输出推子前</translation>
    </message>
    <message>
        <source>Output Post Fader</source>
        <translation>输出推子后</translation>
    </message>
    <message>
        <source>%1 Left, %2</source>
        <translation>%1 左声道，%2</translation>
    </message>
    <message>
        <source>%1 Right, %2</source>
        <translation>%1 右声道，%2</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1，%2</translation>
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
        <translation>输入设置</translation>
    </message>
    <message>
        <source>Feedback</source>
        <translation>反馈抑制</translation>
    </message>
    <message>
        <source>AGC</source>
        <translation>自动增益</translation>
    </message>
    <message>
        <source>Gate</source>
        <translation>噪声门</translation>
    </message>
    <message>
        <source>In Filter</source>
        <translation>输入滤波</translation>
    </message>
    <message>
        <source>In Limiter</source>
        <translation>输入限幅</translation>
    </message>
    <message>
        <source>Matrix</source>
        <translation>矩阵</translation>
    </message>
    <message>
        <source>Signal Generator</source>
        <translation>信号发生器</translation>
    </message>
    <message>
        <source>AEC</source>
        <translation>回声消除</translation>
    </message>
    <message>
        <source>Auto Mixer</source>
        <translation>自动混音</translation>
    </message>
    <message>
        <source>Out Filter</source>
        <translation>输出滤波</translation>
    </message>
    <message>
        <source>Out Limiter</source>
        <translation>输出限幅</translation>
    </message>
    <message>
        <source>Out Delay</source>
        <translation>输出延时</translation>
    </message>
    <message>
        <source>%1 - Copy %2 to</source>
        <translation>%1 - 将 %2 复制到</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>复位</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>PresetDialog</name>
    <message>
        <source>Preset</source>
        <translation>预设</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>调用</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>导入</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>导出</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Import All</source>
        <translation>全部导入</translation>
    </message>
    <message>
        <source>Export All</source>
        <translation>全部导出</translation>
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
        <source>The preset name&apos;s length can not be greater than 16 bytes, please enter again!</source>
        <translation>预设名称的长度不能超过16个字节，请重新输入！</translation>
    </message>
    <message>
        <source>Are you sure that you want to save current settings to preset </source>
        <translation>确定要将当前设置保存到预设 </translation>
    </message>
    <message>
        <source>Are you sure that you want to load preset </source>
        <translation>确定要调用预设 </translation>
    </message>
    <message>
        <source>Are you sure that you want to delete preset </source>
        <translation>确定要删除预设 </translation>
    </message>
    <message>
        <source>Save preset as</source>
        <translation>预设另存为</translation>
    </message>
    <message>
        <source>Save all presets as</source>
        <translation>全部预设另存为</translation>
    </message>
    <message>
        <source>pst file</source>
        <translation>pst 文件</translation>
    </message>
    <message>
        <source>pstl file</source>
        <translation>pstl 文件</translation>
    </message>
    <message>
        <source>Exporting...</source>
        <translation>正在导出...</translation>
    </message>
    <message>
        <source>Exporting All...</source>
        <translation>正在全部导出...</translation>
    </message>
    <message>
        <source>Select a preset file to import</source>
        <translation>选择要导入的预设文件</translation>
    </message>
    <message>
        <source>Import...</source>
        <translation>正在导入...</translation>
    </message>
    <message>
        <source>Import All...</source>
        <translation>正在全部导入...</translation>
    </message>
    <message>
        <source>File format is error!</source>
        <translation>文件格式错误！</translation>
    </message>
    <message>
        <source>The preset is empty: there is nothing to export.</source>
        <translation>该预设为空，没有可导出的内容。</translation>
    </message>
    <message>
        <source>The file could not be written; an earlier file of that name is unchanged.</source>
        <translation>无法写入文件；同名的原有文件保持不变。</translation>
    </message>
    <message>
        <source>The unit stopped answering; the transfer was stopped.</source>
        <translation>设备已停止响应，传输已中止。</translation>
    </message>
    <message>
        <source>Loading</source>
        <translation>正在调用</translation>
    </message>
</context>
<context>
    <name>ProgressDialog</name>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>RecPlayDialog</name>
    <message>
        <source>Rec/Play</source>
        <translation>录放</translation>
    </message>
    <message>
        <source>USB Record</source>
        <translation>USB录音</translation>
    </message>
    <message>
        <source>File Name</source>
        <translation>文件名</translation>
    </message>
    <message>
        <source>USB Playback</source>
        <translation>USB播放</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>USB Play List</source>
        <translation>USB播放列表</translation>
    </message>
    <message>
        <source>USB Record List</source>
        <translation>USB录音列表</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>静音</translation>
    </message>
    <message>
        <source>Note:
Supports mp3, wav, ape, aac and flac file formats for USB playback. Only supports USB storage device of FAT32 format.
Play files fixed in the audio directory of the root directory. Record files fixed in the record directory of the root directory.</source>
        <translation>注意：
USB播放支持mp3、wav、ape、aac和flac格式的文件。仅支持FAT32格式的USB存储设备。
播放文件固定在根目录的audio目录下，录音文件固定在根目录的record目录下。</translation>
    </message>
    <message>
        <source>Shuffle</source>
        <translation>随机播放</translation>
    </message>
    <message>
        <source>Repeat Single</source>
        <translation>单曲循环</translation>
    </message>
    <message>
        <source>Repeat List</source>
        <translation>列表循环</translation>
    </message>
    <message>
        <source>Order</source>
        <translation>顺序播放</translation>
    </message>
    <message>
        <source>The file name&apos;s length can not be greater than 32 bytes, please enter again!</source>
        <translation>文件名的长度不能超过32个字节，请重新输入！</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>USB not inserted!</source>
        <translation>未插入USB！</translation>
    </message>
</context>
<context>
    <name>SignalGeneratorWidget</name>
    <message>
        <source>Mute</source>
        <translation>静音</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>类型</translation>
    </message>
    <message>
        <source>Pink Noise</source>
        <translation>粉红噪声</translation>
    </message>
    <message>
        <source>Sine Wave</source>
        <translation>正弦波</translation>
    </message>
    <message>
        <source>White Noise</source>
        <translation>白噪声</translation>
    </message>
    <message>
        <source>Freq</source>
        <translation>频率</translation>
    </message>
    <message>
        <source>(Hz)</source>
        <translation>(Hz)</translation>
    </message>
    <message>
        <source>Gain</source>
        <translation>增益</translation>
    </message>
    <message>
        <source>(dB)</source>
        <translation>(dB)</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>输出</translation>
    </message>
    <message>
        <source>Generator Frequency</source>
        <translation>信号发生器频率</translation>
    </message>
    <message>
        <source>Hz</source>
        <translation>Hz</translation>
    </message>
    <message>
        <source>Generator Gain</source>
        <translation>信号发生器增益</translation>
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
        <translation>正在加载</translation>
    </message>
    <message>
        <source>PC Version</source>
        <translation>PC 端版本</translation>
    </message>
</context>
<context>
    <name>SystemUpgradeProgressDialog</name>
    <message>
        <source>System Upgrade</source>
        <translation>系统升级</translation>
    </message>
    <message>
        <source>Upgrading...</source>
        <translation>正在升级...</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Select a DSP firmware file to upgrade</source>
        <translation>选择要升级的DSP固件文件</translation>
    </message>
    <message>
        <source>Select a firmware file to upgrade</source>
        <translation>选择要升级的固件文件</translation>
    </message>
    <message>
        <source>bin file</source>
        <translation>bin 文件</translation>
    </message>
    <message>
        <source>img file</source>
        <translation>img 文件</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>File is error!</source>
        <translation>文件错误！</translation>
    </message>
    <message>
        <source>File format is error!</source>
        <translation>文件格式错误！</translation>
    </message>
    <message>
        <source>Upgrade failed!</source>
        <translation>升级失败！</translation>
    </message>
    <message>
        <source>No unit is connected.</source>
        <translation>未连接设备。</translation>
    </message>
    <message>
        <source>The connection to the unit was lost.</source>
        <translation>与设备的连接已断开。</translation>
    </message>
</context>
<context>
    <name>TestDialog</name>
    <message>
        <source>Test</source>
        <translation>测试</translation>
    </message>
    <message>
        <source>48V</source>
        <translation>48V</translation>
    </message>
    <message>
        <source>DSP Upgrade</source>
        <translation>DSP 升级</translation>
    </message>
    <message>
        <source>Force Upgrade</source>
        <translation>强制升级</translation>
    </message>
</context>
<context>
    <name>TwoFieldInputDialog</name>
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
    <name>UndoHistory</name>
    <message>
        <source>Undo history cleared: the connection to the unit changed.</source>
        <translation>撤销记录已清除：与设备的连接已改变。</translation>
    </message>
    <message>
        <source>Undo history cleared: a preset was loaded.</source>
        <translation>撤销记录已清除：已调用预设。</translation>
    </message>
    <message>
        <source>Undo history cleared: settings were reset.</source>
        <translation>撤销记录已清除：设置已复位。</translation>
    </message>
    <message>
        <source>Undo history cleared: settings were copied to other channels.</source>
        <translation>撤销记录已清除：设置已复制到其他通道。</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>撤销 %1</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>撤销</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation>重做 %1</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>重做</translation>
    </message>
</context>
<context>
    <name>filtertext</name>
    <message>
        <source>Line %1: the preamp (%2) is not a band of the unit; ignored.</source>
        <translation>第 %1 行：前级增益（%2）不是设备的频段，已忽略。</translation>
    </message>
    <message>
        <source>Line %1 could not be read: %2</source>
        <translation>第 %1 行无法读取：%2</translation>
    </message>
    <message>
        <source>Filter %1: the unit has no %2 band (only PK, LS and HS); ignored.</source>
        <translation>滤波器 %1：设备没有 %2 类型的频段（只有 PK、LS 和 HS），已忽略。</translation>
    </message>
    <message>
        <source>Filter %1 has no frequency; ignored.</source>
        <translation>滤波器 %1 没有频率，已忽略。</translation>
    </message>
    <message>
        <source>Filter %1: %2 Hz lies outside 20 to 20000 Hz; ignored.</source>
        <translation>滤波器 %1：%2 Hz 超出 20 至 20000 Hz 的范围，已忽略。</translation>
    </message>
    <message>
        <source>Filter %1: a gain of %2 dB lies outside -15 to +15 dB; ignored.</source>
        <translation>滤波器 %1：增益 %2 dB 超出 -15 至 +15 dB 的范围，已忽略。</translation>
    </message>
    <message>
        <source>Filter %1 has no Q; ignored.</source>
        <translation>滤波器 %1 没有 Q 值，已忽略。</translation>
    </message>
    <message>
        <source>Filter %1: a Q of %2 lies outside 0.5 to 20; ignored.</source>
        <translation>滤波器 %1：Q 值 %2 超出 0.5 至 20 的范围，已忽略。</translation>
    </message>
    <message>
        <source>Filter %1: Q %2 becomes %3, the unit&apos;s nearest step.</source>
        <translation>滤波器 %1：Q 值 %2 改为 %3，即设备最接近的档位。</translation>
    </message>
    <message>
        <source>Filter %1: the unit&apos;s shelves have a fixed slope; Q %2 is not used.</source>
        <translation>滤波器 %1：设备的搁架滤波器斜率固定，Q 值 %2 不使用。</translation>
    </message>
    <message>
        <source>Filter %1: the unit has 8 bands, all taken; ignored.</source>
        <translation>滤波器 %1：设备只有 8 个频段，均已占用，已忽略。</translation>
    </message>
    <message>
        <source>Band %1 is switched off.</source>
        <translation>频段 %1 将关闭。</translation>
    </message>
    <message>
        <source>Bands %1 to %2 are switched off.</source>
        <translation>频段 %1 至 %2 将关闭。</translation>
    </message>
</context>
</TS>
