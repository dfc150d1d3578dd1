<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CentralWriter</name>
    <message>
        <source>Qt&apos;s PostgreSQL driver (QPSQL) is not installed: install libqt6sql6-psql</source>
        <translation>未安装 Qt 的 PostgreSQL 驱动（QPSQL）：请安装 libqt6sql6-psql</translation>
    </message>
    <message>
        <source>not connected</source>
        <translation>未连接</translation>
    </message>
</context>
<context>
    <name>ChainCheck</name>
    <message>
        <source>%1 not found</source>
        <translation>找不到 %1</translation>
    </message>
    <message>
        <source>%1 holds no event journal</source>
        <translation>%1 中没有事件记录</translation>
    </message>
    <message>
        <source>event %1 was changed after it was journaled (its fields no longer give its hash)</source>
        <translation>事件 %1 在记录后被修改过（其内容与其哈希值不再相符）</translation>
    </message>
    <message>
        <source>the hash of event %1 does not match the chain</source>
        <translation>事件 %1 的哈希值与哈希链不符</translation>
    </message>
    <message>
        <source>event %1 is missing</source>
        <translation>缺少事件 %1</translation>
    </message>
    <message>
        <source>events %1 to %2 are missing</source>
        <translation>缺少事件 %1 至 %2</translation>
    </message>
    <message>
        <source>event %1 has no hash</source>
        <translation>事件 %1 没有哈希值</translation>
    </message>
    <message>
        <source>event %1 or its hash was changed after it was journaled</source>
        <translation>事件 %1 或其哈希值在记录后被修改过</translation>
    </message>
    <message>
        <source>event %1, the newest, is missing</source>
        <translation>缺少最新的事件 %1</translation>
    </message>
    <message>
        <source>events %1 to %2, the newest, are missing</source>
        <translation>缺少最新的事件 %1 至 %2</translation>
    </message>
    <message>
        <source>checking the chain: %1 events so far</source>
        <translation>正在校验哈希链：已校验 %1 条事件</translation>
    </message>
    <message>
        <source>chain intact: %1 events</source>
        <translation>哈希链完整：%1 条事件</translation>
    </message>
    <message>
        <source>chain broken at event %1: %2</source>
        <translation>哈希链在事件 %1 处断开：%2</translation>
    </message>
    <message>
        <source>the chain cannot be checked: %1</source>
        <translation>无法校验哈希链：%1</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>mt3600-console: %1 long records written to %2</source>
        <translation>mt3600-console: %1 条长记录已写入 %2</translation>
    </message>
    <message>
        <source>mt3600-console: %1 short records written to %2</source>
        <translation>mt3600-console: %1 条短记录已写入 %2</translation>
    </message>
    <message>
        <source>mt3600-console: %1 events written to %2</source>
        <translation>mt3600-console: %1 条事件已写入 %2</translation>
    </message>
    <message>
        <source>there is no record file at %1</source>
        <translation>%1 处没有记录文件</translation>
    </message>
    <message>
        <source>forwarding to the historian failed: %1</source>
        <translation>向历史数据库转发失败：%1</translation>
    </message>
    <message>
        <source>mt3600-console: %1 rows forwarded, some could not be</source>
        <translation>mt3600-console: 已转发 %1 行，部分行无法转发</translation>
    </message>
    <message>
        <source>mt3600-console: %1 rows forwarded, all of the record file is in the historian</source>
        <translation>mt3600-console: 已转发 %1 行，记录文件已全部进入历史数据库</translation>
    </message>
    <message>
        <source>mt3600-console: the report of run %1 written to %2</source>
        <translation>mt3600-console: 第 %1 次运行的报告已写入 %2</translation>
    </message>
</context>
<context>
    <name>ConsoleOptions</name>
    <message>
        <source>unknown option %1</source>
        <translation>未知选项 %1</translation>
    </message>
    <message>
        <source>mt3600-console: %1; see mt3600-console --help</source>
        <translation>mt3600-console: %1；请看 mt3600-console --help</translation>
    </message>
    <message>
        <source>--baud must be 4800, 9600 or 19200</source>
        <translation>--baud 须为 4800、9600 或 19200</translation>
    </message>
    <message>
        <source>--parity must be none, odd or even</source>
        <translation>--parity 须为 none、odd 或 even</translation>
    </message>
    <message>
        <source>--address must be a number from 1 to 247</source>
        <translation>--address 须为 1 到 247 之间的数</translation>
    </message>
    <message>
        <source>--screenshot-delay must be a number of seconds</source>
        <translation>--screenshot-delay 须为秒数</translation>
    </message>
    <message>
        <source>--demo-speed must be a number above 0, at most 1000</source>
        <translation>--demo-speed 须为大于 0、至多 1000 的数</translation>
    </message>
    <message>
        <source>--record must be short or long</source>
        <translation>--record 须为 short 或 long</translation>
    </message>
    <message>
        <source>--export-csv needs a file name</source>
        <translation>--export-csv 需要文件名</translation>
    </message>
    <message>
        <source>--export-events needs a file name</source>
        <translation>--export-events 需要文件名</translation>
    </message>
    <message>
        <source>--from: &quot;%1&quot; is no time (2024-03-05 or 2024-03-05T12:30:15)</source>
        <translation>--from：“%1”不是时间（2024-03-05 或 2024-03-05T12:30:15）</translation>
    </message>
    <message>
        <source>--to: &quot;%1&quot; is no time (2024-03-05 or 2024-03-05T12:30:15)</source>
        <translation>--to：“%1”不是时间（2024-03-05 或 2024-03-05T12:30:15）</translation>
    </message>
    <message>
        <source>--from is after --to</source>
        <translation>--from 晚于 --to</translation>
    </message>
    <message>
        <source>--export-csv and --export-events exclude each other</source>
        <translation>--export-csv 与 --export-events 不能同时使用</translation>
    </message>
    <message>
        <source>--from and --to go with --export-csv or --export-events</source>
        <translation>--from 和 --to 须与 --export-csv 或 --export-events 同用</translation>
    </message>
    <message>
        <source>--record goes with --export-csv</source>
        <translation>--record 须与 --export-csv 同用</translation>
    </message>
    <message>
        <source>--category goes with --export-events</source>
        <translation>--category 须与 --export-events 同用</translation>
    </message>
    <message>
        <source>--backup, --compare and --restore exclude each other</source>
        <translation>--backup、--compare 与 --restore 不能同时使用</translation>
    </message>
    <message>
        <source>--against goes with --compare</source>
        <translation>--against 须与 --compare 同用</translation>
    </message>
    <message>
        <source>--backup, --compare and --restore need --connect PORT</source>
        <translation>--backup、--compare 和 --restore 需要 --connect 端口</translation>
    </message>
    <message>
        <source>--include-comms goes with --restore</source>
        <translation>--include-comms 须与 --restore 同用</translation>
    </message>
    <message>
        <source>--verify-journal goes alone (with --db)</source>
        <translation>--verify-journal 须单独使用（可带 --db）</translation>
    </message>
    <message>
        <source>--screen must be one of: %1</source>
        <translation>--screen 须为以下之一：%1</translation>
    </message>
    <message>
        <source>--lang must be zh_CN or en</source>
        <translation>--lang 须为 zh_CN 或 en</translation>
    </message>
    <message>
        <source>--demo and --connect exclude each other</source>
        <translation>--demo 与 --connect 不能同时使用</translation>
    </message>
    <message>
        <source>--category: &quot;%1&quot; is no category; the categories are %2</source>
        <translation>--category：“%1”不是类别；类别有 %2</translation>
    </message>
    <message>
        <source>--category names none of %1</source>
        <translation>--category 未指定 %1 中的任何类别</translation>
    </message>
    <message>
        <source>--historian: %1</source>
        <translation>--historian：%1</translation>
    </message>
    <message>
        <source>--forward needs --historian CONNINFO</source>
        <translation>--forward 需要 --historian 连接串</translation>
    </message>
    <message>
        <source>--forward goes alone (with --historian, --console-name, --db)</source>
        <translation>--forward 须单独使用（可带 --historian、--console-name、--db）</translation>
    </message>
    <message>
        <source>--console-name needs a name</source>
        <translation>--console-name 需要名称</translation>
    </message>
    <message>
        <source>--run-report needs a file ending in .pdf or .csv</source>
        <translation>--run-report 需要以 .pdf 或 .csv 结尾的文件名</translation>
    </message>
    <message>
        <source>--run must be a run number from 1 on</source>
        <translation>--run 须为从 1 起的运行编号</translation>
    </message>
    <message>
        <source>--run goes with --run-report</source>
        <translation>--run 须与 --run-report 同用</translation>
    </message>
    <message>
        <source>--run-report goes alone (with --run and --db)</source>
        <translation>--run-report 须单独使用（可带 --run 和 --db）</translation>
    </message>
</context>
<context>
    <name>CorrectionPlot</name>
    <message>
        <source>electrical value</source>
        <translation>电气值</translation>
    </message>
    <message>
        <source>display value</source>
        <translation>显示值</translation>
    </message>
</context>
<context>
    <name>CsvExport</name>
    <message>
        <source>time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>record number</source>
        <translation>记录号</translation>
    </message>
    <message>
        <source>alarm 1 type</source>
        <translation>报警1类型</translation>
    </message>
    <message>
        <source>measured</source>
        <translation>测量</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>no</source>
        <translation>否</translation>
    </message>
</context>
<context>
    <name>CsvWriter</name>
    <message>
        <source>record file %1 not found</source>
        <translation>未找到记录文件 %1</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation>无法写入 %1：%2</translation>
    </message>
    <message>
        <source>record file %1 cannot be read: %2</source>
        <translation>无法读取记录文件 %1：%2</translation>
    </message>
</context>
<context>
    <name>CurveScreen</name>
    <message>
        <source>Not applied: the maximum must lie between -12000 and 36000</source>
        <translation>未应用：最大值须在 -12000 与 36000 之间</translation>
    </message>
    <message>
        <source>Not applied: the minimum must lie between -12000 and 35000</source>
        <translation>未应用：最小值须在 -12000 与 35000 之间</translation>
    </message>
    <message>
        <source>Not applied: the minimum is above the maximum</source>
        <translation>未应用：最小值大于最大值</translation>
    </message>
    <message>
        <source>Not applied: maximum, minimum and span must each lie between -32768 and 32767</source>
        <translation>未应用：最大值、最小值与跨度均须在 -32768 与 32767 之间</translation>
    </message>
    <message>
        <source>F8 Export</source>
        <translation>F8 导出</translation>
    </message>
    <message>
        <source>Records of the window shown, or of a period, to a CSV file</source>
        <translation>将当前窗口或指定时段的记录导出为 CSV 文件</translation>
    </message>
</context>
<context>
    <name>DemoInstrument</name>
    <message>
        <source>mt3600-sim did not report ready within %1 s</source>
        <translation>mt3600-sim 未在 %1 秒内报告就绪</translation>
    </message>
    <message>
        <source>mt3600-sim could not be started: %1</source>
        <translation>无法启动 mt3600-sim：%1</translation>
    </message>
    <message>
        <source>mt3600-sim ended (exit code %1) before it was ready</source>
        <translation>mt3600-sim 在就绪前已退出（退出码 %1）</translation>
    </message>
    <message>
        <source>mt3600-sim not found</source>
        <translation>未找到 mt3600-sim</translation>
    </message>
    <message>
        <source>no temporary folder for the simulated instrument: %1</source>
        <translation>无法为模拟仪表建立临时文件夹：%1</translation>
    </message>
    <message>
        <source>mt3600-sim said: %1</source>
        <translation>mt3600-sim 报告：%1</translation>
    </message>
</context>
<context>
    <name>EventCategory</name>
    <message>
        <source>Alarm</source>
        <translation>报警</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>写入</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>模式</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>程序</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>通讯</translation>
    </message>
    <message>
        <source>Console</source>
        <translation>控制台</translation>
    </message>
    <message>
        <source>Instrument file</source>
        <translation>仪表文件</translation>
    </message>
</context>
<context>
    <name>EventExport</name>
    <message>
        <source>seq</source>
        <translation>序号</translation>
    </message>
    <message>
        <source>time (UTC)</source>
        <translation>时间 (UTC)</translation>
    </message>
    <message>
        <source>time (local)</source>
        <translation>时间 (本地)</translation>
    </message>
    <message>
        <source>address</source>
        <translation>地址</translation>
    </message>
    <message>
        <source>category</source>
        <translation>类别</translation>
    </message>
    <message>
        <source>code</source>
        <translation>代码</translation>
    </message>
    <message>
        <source>source</source>
        <translation>来源</translation>
    </message>
    <message>
        <source>old value</source>
        <translation>原值</translation>
    </message>
    <message>
        <source>new value</source>
        <translation>新值</translation>
    </message>
    <message>
        <source>PV</source>
        <translation>PV</translation>
    </message>
    <message>
        <source>user</source>
        <translation>用户</translation>
    </message>
    <message>
        <source>host</source>
        <translation>主机</translation>
    </message>
    <message>
        <source>result</source>
        <translation>结果</translation>
    </message>
    <message>
        <source>detail</source>
        <translation>说明</translation>
    </message>
    <message>
        <source>session</source>
        <translation>会话</translation>
    </message>
</context>
<context>
    <name>EventJournal</name>
    <message>
        <source>not ended cleanly</source>
        <translation>未正常结束</translation>
    </message>
    <message>
        <source>The console started %1 by %2 on %3 did not end cleanly (killed, crashed or power cut); its last event was at %4.</source>
        <translation>%1 由 %2 在 %3 上启动的控制台未正常结束（被终止、崩溃或断电）；其最后一条事件在 %4。</translation>
    </message>
    <message>
        <source>Console started</source>
        <translation>控制台已启动</translation>
    </message>
    <message>
        <source>Console ended</source>
        <translation>控制台已退出</translation>
    </message>
    <message>
        <source>%1 events were lost: the record file could not take them for too long</source>
        <translation>%1 条事件已丢失：记录文件过久无法写入</translation>
    </message>
    <message>
        <source>made again</source>
        <translation>已重建</translation>
    </message>
    <message>
        <source>The journal&apos;s append-only guards %1 were missing from the record file and were made again: another program changed the file</source>
        <translation>记录文件中事件记录的只追加保护 %1 已缺失，现已重建：有其他程序修改过该文件</translation>
    </message>
    <message>
        <source>chained</source>
        <translation>已加入哈希链</translation>
    </message>
    <message numerus="yes">
        <source>%n earlier event(s) without a hash were added to the hash chain</source>
        <translation>
            <numerusform>%n 条此前没有哈希值的事件已加入哈希链</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>EventWatcher</name>
    <message numerus="yes">
        <source>Link lost: %n poll cycle(s) in a row read nothing (%1)</source>
        <translation>
            <numerusform>通讯中断：连续 %n 个轮询周期未读到数据（%1）</numerusform>
        </translation>
    </message>
    <message>
        <source>accepted</source>
        <translation>已接受</translation>
    </message>
    <message>
        <source>Link restored after %1 s without an answer</source>
        <translation>通讯恢复，此前 %1 秒无应答</translation>
    </message>
    <message>
        <source>%1 (alarm type %2 %3)</source>
        <translation>%1（报警类型 %2 %3）</translation>
    </message>
    <message>
        <source>Segment %1 → %2</source>
        <translation>段号 %1 → %2</translation>
    </message>
    <message>
        <source>Curve %1 → %2</source>
        <translation>曲线 %1 → %2</translation>
    </message>
    <message>
        <source>(on when the link was opened)</source>
        <translation>（打开通讯时已存在）</translation>
    </message>
    <message>
        <source>(off when the link was opened)</source>
        <translation>（打开通讯时已为 OFF）</translation>
    </message>
    <message>
        <source>First good read %1 s after the port was opened: the values are measured from now on</source>
        <translation>端口打开 %1 秒后首次读取成功：此后的数值为实测值</translation>
    </message>
    <message>
        <source>Deviation wait: the program waits for PV</source>
        <translation>偏差等待：程序等待 PV</translation>
    </message>
    <message>
        <source>Deviation wait over</source>
        <translation>偏差等待结束</translation>
    </message>
</context>
<context>
    <name>ExportDialog</name>
    <message>
        <source>Export the ten-second record to CSV</source>
        <translation>导出十秒记录到 CSV</translation>
    </message>
    <message>
        <source>Export the one-second record to CSV</source>
        <translation>导出一秒记录到 CSV</translation>
    </message>
    <message>
        <source>A period:</source>
        <translation>指定时段：</translation>
    </message>
    <message>
        <source>Browse…</source>
        <translation>浏览…</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>导出</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>to</source>
        <translation>至</translation>
    </message>
    <message>
        <source>File:</source>
        <translation>文件：</translation>
    </message>
    <message>
        <source>The window shown, %1 to %2</source>
        <translation>当前窗口，%1 至 %2</translation>
    </message>
    <message>
        <source>The window shown (it holds no record)</source>
        <translation>当前窗口（无记录）</translation>
    </message>
    <message>
        <source>Export to</source>
        <translation>导出到</translation>
    </message>
    <message>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation>CSV 文件 (*.csv);;所有文件 (*)</translation>
    </message>
    <message>
        <source>Name a file to export to.</source>
        <translation>请指定导出文件。</translation>
    </message>
    <message>
        <source>The period ends before it starts: nothing exported.</source>
        <translation>时段结束早于开始：未导出。</translation>
    </message>
    <message>
        <source>Exporting %1 records…</source>
        <translation>正在导出 %1 条记录…</translation>
    </message>
    <message>
        <source>%1 records written to %2</source>
        <translation>已将 %1 条记录写入 %2</translation>
    </message>
    <message>
        <source>Nothing exported: %1</source>
        <translation>未导出：%1</translation>
    </message>
</context>
<context>
    <name>FilesForm</name>
    <message>
        <source>Browse…</source>
        <translation>浏览…</translation>
    </message>
    <message>
        <source>Back up to the file</source>
        <translation>备份到文件</translation>
    </message>
    <message>
        <source>Compare with the instrument</source>
        <translation>与仪表比较</translation>
    </message>
    <message>
        <source>Write the differences</source>
        <translation>写入不同项</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Only differences</source>
        <translation>只显示不同项</translation>
    </message>
    <message>
        <source>Also write the address, baud rate and parity (the conversation ends with them)</source>
        <translation>同时写入通讯地址、波特率和校验方式（写入后通讯将中断）</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Register</source>
        <translation>寄存器</translation>
    </message>
    <message>
        <source>In the file</source>
        <translation>文件中</translation>
    </message>
    <message>
        <source>In the instrument</source>
        <translation>仪表中</translation>
    </message>
    <message>
        <source>Instrument file:</source>
        <translation>仪表文件：</translation>
    </message>
    <message>
        <source>Instrument file</source>
        <translation>仪表文件</translation>
    </message>
    <message>
        <source>Instrument files (*.json);;All files (*)</source>
        <translation>仪表文件 (*.json);;所有文件 (*)</translation>
    </message>
    <message>
        <source>Reading the instrument…</source>
        <translation>正在读取仪表…</translation>
    </message>
    <message>
        <source>Writing the differences…</source>
        <translation>正在写入不同项…</translation>
    </message>
    <message>
        <source>Stopping: the instrument&apos;s curve selection is put back…</source>
        <translation>正在停止：恢复仪表的当前曲线选择…</translation>
    </message>
    <message>
        <source>Second file:</source>
        <translation>第二个文件：</translation>
    </message>
    <message>
        <source>In the second file</source>
        <translation>第二个文件中</translation>
    </message>
    <message>
        <source>a second instrument file, to compare two files</source>
        <translation>第二个仪表文件，用于比较两个文件</translation>
    </message>
    <message>
        <source>Compare the two files</source>
        <translation>比较两个文件</translation>
    </message>
    <message>
        <source>%1 exists. Replace it with this backup?</source>
        <translation>%1 已存在。用本次备份替换它吗？</translation>
    </message>
    <message>
        <source>Backup not made: the file was kept</source>
        <translation>未备份：原文件保留</translation>
    </message>
    <message>
        <source>Last of all the link settings, which end the conversation:</source>
        <translation>最后写入通讯设置（写入后通讯将中断）：</translation>
    </message>
    <message numerus="yes">
        <source>%n segment register(s) are left out: the file holds their tables at another recipe value than the instrument.</source>
        <translation>
            <numerusform>%n 个程序段寄存器不写入：文件中的曲线表属于与仪表不同的工艺配方值。</numerusform>
        </translation>
    </message>
    <message>
        <source>The instrument&apos;s present setup is saved first to %1; restoring that file undoes this restore.</source>
        <translation>先将仪表当前的设置保存到 %1；恢复该文件即可撤销本次写入。</translation>
    </message>
    <message>
        <source>Waiting for the confirmation…</source>
        <translation>等待确认…</translation>
    </message>
    <message numerus="yes">
        <source>Write %n register(s) to the instrument?</source>
        <translation>
            <numerusform>向仪表写入 %n 个寄存器吗？</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ForwardPass</name>
    <message>
        <source>%1 short records were overwritten in the ring before they reached the historian: from after %2 to before %3</source>
        <translation>%1 条短记录在到达历史数据库之前已被环形存储覆盖：从 %2 之后到 %3 之前</translation>
    </message>
    <message>
        <source>%1 long records were overwritten in the ring before they reached the historian: from after %2 to before %3</source>
        <translation>%1 条长记录在到达历史数据库之前已被环形存储覆盖：从 %2 之后到 %3 之前</translation>
    </message>
</context>
<context>
    <name>ForwarderWorker</name>
    <message>
        <source>Forwarding to the historian fails: %1</source>
        <translation>向历史数据库转发失败：%1</translation>
    </message>
    <message>
        <source>Forwarding to the historian: connected</source>
        <translation>向历史数据库转发：已连接</translation>
    </message>
</context>
<context>
    <name>HistorianConninfo</name>
    <message>
        <source>the historian&apos;s connection string is empty</source>
        <translation>历史数据库的连接串为空</translation>
    </message>
    <message>
        <source>write the historian&apos;s connection as key=value pairs (host=... dbname=... user=...) or service=NAME, not as a URI</source>
        <translation>历史数据库的连接请写成 key=value 形式（host=... dbname=... user=...）或 service=名称，不要写成 URI</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no connection string: write key=value pairs such as host=db dbname=historian user=console, or service=NAME</source>
        <translation>“%1”不是连接串：请写成 key=value 形式，例如 host=db dbname=historian user=console，或 service=名称</translation>
    </message>
    <message>
        <source>the value of %1 in the historian&apos;s connection has no closing quote</source>
        <translation>历史数据库连接中 %1 的值缺少结束引号</translation>
    </message>
    <message>
        <source>the historian&apos;s connection must not hold the password: put it in ~/.pgpass, in the file PGPASSFILE names, or in a service file</source>
        <translation>历史数据库的连接中不得包含密码：请把密码放在 ~/.pgpass、PGPASSFILE 指定的文件或服务文件中</translation>
    </message>
</context>
<context>
    <name>HistorianDialog</name>
    <message>
        <source>Historian</source>
        <translation>历史数据库</translation>
    </message>
    <message>
        <source>host=plant-db dbname=historian user=furnace3</source>
        <translation>host=plant-db dbname=historian user=furnace3</translation>
    </message>
    <message>
        <source>host name and instrument address</source>
        <translation>主机名和仪表地址</translation>
    </message>
    <message>
        <source>The password goes in ~/.pgpass, never here. Empty: no historian.</source>
        <translation>密码放在 ~/.pgpass 中，不要写在这里。留空：不使用历史数据库。</translation>
    </message>
    <message>
        <source>Central database</source>
        <translation>中央数据库</translation>
    </message>
    <message>
        <source>Console name</source>
        <translation>控制台名称</translation>
    </message>
</context>
<context>
    <name>HistorianSchema</name>
    <message>
        <source>the historian&apos;s schema version cannot be read</source>
        <translation>无法读取历史数据库的结构版本</translation>
    </message>
    <message>
        <source>the historian&apos;s database is at schema version %1, newer than this console knows (%2): update the console before it forwards there</source>
        <translation>历史数据库的结构版本为 %1，比本控制台所知的版本（%2）新：请先更新控制台再向其转发</translation>
    </message>
</context>
<context>
    <name>HistorianView</name>
    <message>
        <source>%1 s</source>
        <translation>%1 秒</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 分钟</translation>
    </message>
    <message>
        <source>%1 h %2 min</source>
        <translation>%1 小时 %2 分钟</translation>
    </message>
    <message>
        <source>%1 d %2 h</source>
        <translation>%1 天 %2 小时</translation>
    </message>
    <message>
        <source>, behind by %1</source>
        <translation>，落后 %1</translation>
    </message>
    <message>
        <source>Historian: off</source>
        <translation>历史数据库：关闭</translation>
    </message>
    <message>
        <source>Historian: connecting</source>
        <translation>历史数据库：正在连接</translation>
    </message>
    <message>
        <source>Historian: connected, all forwarded</source>
        <translation>历史数据库：已连接，已全部转发</translation>
    </message>
    <message>
        <source>Historian: connected, catching up %1 rows%2</source>
        <translation>历史数据库：已连接，正在补发 %1 行%2</translation>
    </message>
    <message>
        <source>Historian: failing: %1 (next attempt in %2 s)%3</source>
        <translation>历史数据库：失败：%1（%2 秒后重试）%3</translation>
    </message>
</context>
<context>
    <name>InstrumentFile</name>
    <message>
        <source>not an instrument file: %1</source>
        <translation>不是仪表文件：%1</translation>
    </message>
    <message>
        <source>not an instrument file of this console</source>
        <translation>不是本控制台的仪表文件</translation>
    </message>
    <message>
        <source>instrument file version %1; this console reads version %2</source>
        <translation>仪表文件版本 %1；本控制台读取版本 %2</translation>
    </message>
    <message>
        <source>register %1 is not one this console knows</source>
        <translation>寄存器 %1 不在本控制台的寄存器表中</translation>
    </message>
    <message>
        <source>curve %1 register %2 is not one this console knows</source>
        <translation>曲线 %1 的寄存器 %2 不在本控制台的寄存器表中</translation>
    </message>
    <message>
        <source>register %1 holds no 16-bit value</source>
        <translation>寄存器 %1 的值不是 16 位数值</translation>
    </message>
    <message>
        <source>%1 holds %2 (%3 to %4)</source>
        <translation>%1 的值为 %2（应为 %3 至 %4）</translation>
    </message>
    <message numerus="yes">
        <source>, and %n more</source>
        <translation>
            <numerusform>，另有 %n 个</numerusform>
        </translation>
    </message>
    <message>
        <source>values their registers do not accept: %1%2</source>
        <translation>寄存器不接受的值：%1%2</translation>
    </message>
    <message>
        <source>%1 of the %2 registers are missing: %3%4</source>
        <translation>%2 个寄存器中缺少 %1 个：%3%4</translation>
    </message>
</context>
<context>
    <name>JournalForm</name>
    <message>
        <source>yyyy-MM-dd [HH:mm[:ss]]</source>
        <translation>年-月-日 [时:分[:秒]]</translation>
    </message>
    <message>
        <source>a word in code, source, values, result, detail, user or host</source>
        <translation>代码、来源、数值、结果、说明、用户或主机中的文字</translation>
    </message>
    <message>
        <source>All</source>
        <translation>全部</translation>
    </message>
    <message>
        <source>Clear filters</source>
        <translation>清除筛选</translation>
    </message>
    <message>
        <source>Browse…</source>
        <translation>浏览…</translation>
    </message>
    <message>
        <source>Write the events the filter shows to a CSV file, oldest first</source>
        <translation>将筛选出的事件按时间先后写入 CSV 文件</translation>
    </message>
    <message>
        <source>From</source>
        <translation>从</translation>
    </message>
    <message>
        <source>to</source>
        <translation>至</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>文字</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>类别</translation>
    </message>
    <message>
        <source>Export to</source>
        <translation>导出到</translation>
    </message>
    <message>
        <source>The record file cannot be read: %1</source>
        <translation>无法读取记录文件：%1</translation>
    </message>
    <message>
        <source>Not a time: type 2024-03-05, 2024-03-05 12:30 or 2024-03-05 12:30:15. The table is unchanged.</source>
        <translation>不是有效时间：请输入 2024-03-05、2024-03-05 12:30 或 2024-03-05 12:30:15。表格未改变。</translation>
    </message>
    <message>
        <source>The range starts after it ends. The table is unchanged.</source>
        <translation>起始时间晚于结束时间。表格未改变。</translation>
    </message>
    <message>
        <source>%1 events shown</source>
        <translation>显示 %1 条事件</translation>
    </message>
    <message>
        <source> · more…</source>
        <translation> · 还有更多…</translation>
    </message>
    <message>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation>CSV 文件 (*.csv);;所有文件 (*)</translation>
    </message>
    <message>
        <source>Name a file to export to.</source>
        <translation>请指定导出文件。</translation>
    </message>
    <message>
        <source>Exporting…</source>
        <translation>正在导出…</translation>
    </message>
    <message>
        <source>Exporting: %1 events written…</source>
        <translation>正在导出：已写入 %1 条事件…</translation>
    </message>
    <message>
        <source>%1 events written to %2</source>
        <translation>已将 %1 条事件写入 %2</translation>
    </message>
    <message>
        <source>Nothing exported: %1</source>
        <translation>未导出：%1</translation>
    </message>
    <message>
        <source> · incomplete: the record file cannot be read beyond them (%1)</source>
        <translation> · 不完整：记录文件在此之后无法读取（%1）</translation>
    </message>
</context>
<context>
    <name>JournalLink</name>
    <message>
        <source>accepted</source>
        <translation>已接受</translation>
    </message>
    <message>
        <source>failed: %1</source>
        <translation>失败：%1</translation>
    </message>
    <message>
        <source>Port %1 opened by the operator (%2)</source>
        <translation>操作员打开端口 %1（%2）</translation>
    </message>
    <message>
        <source>Port %1 could not be opened: %2</source>
        <translation>端口 %1 无法打开：%2</translation>
    </message>
    <message>
        <source>Port %1 closed by the operator</source>
        <translation>操作员关闭端口 %1</translation>
    </message>
    <message>
        <source>accepted at attempt %1</source>
        <translation>第 %1 次尝试时接受</translation>
    </message>
    <message numerus="yes">
        <source>(%n attempt(s) before failed: %1)</source>
        <translation>
            <numerusform>（之前 %n 次尝试失败：%1）</numerusform>
        </translation>
    </message>
    <message>
        <source>accepted: answered at the new link setting</source>
        <translation>已接受：仪表按新的通讯设置应答</translation>
    </message>
    <message>
        <source>sent; no answer at the old link setting: %1</source>
        <translation>已发送；按原通讯设置无应答：%1</translation>
    </message>
</context>
<context>
    <name>JournalModel</name>
    <message>
        <source>No.</source>
        <translation>序号</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>地址</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>类别</translation>
    </message>
    <message>
        <source>Code</source>
        <translation>代码</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>来源</translation>
    </message>
    <message>
        <source>Old value</source>
        <translation>原值</translation>
    </message>
    <message>
        <source>New value</source>
        <translation>新值</translation>
    </message>
    <message>
        <source>PV</source>
        <translation>PV</translation>
    </message>
    <message>
        <source>User</source>
        <translation>用户</translation>
    </message>
    <message>
        <source>Host</source>
        <translation>主机</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>结果</translation>
    </message>
    <message>
        <source>Detail</source>
        <translation>说明</translation>
    </message>
</context>
<context>
    <name>JournalWiring</name>
    <message>
        <source>done</source>
        <translation>完成</translation>
    </message>
    <message>
        <source>differences</source>
        <translation>有差异</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>失败</translation>
    </message>
    <message>
        <source>Event journal: %1 events, %2</source>
        <translation>事件记录：%1 条，%2</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>未知</translation>
    </message>
    <message>
        <source>Event journal failing: %1</source>
        <translation>事件记录写入失败：%1</translation>
    </message>
    <message>
        <source>%1 events wait for the file</source>
        <translation>%1 条事件等待写入文件</translation>
    </message>
    <message>
        <source>%1 events lost while the file was away</source>
        <translation>文件不可用期间丢失 %1 条事件</translation>
    </message>
    <message>
        <source>no event journal is kept</source>
        <translation>未保存事件记录</translation>
    </message>
    <message>
        <source>curve %1 selected</source>
        <translation>已选择曲线 %1</translation>
    </message>
    <message>
        <source>curves %1 to %2 selected in turn</source>
        <translation>依次选择了曲线 %1 至 %2</translation>
    </message>
    <message>
        <source>curves %1 selected in turn</source>
        <translation>依次选择了曲线 %1</translation>
    </message>
    <message>
        <source>%1; %2</source>
        <translation>%1；%2</translation>
    </message>
    <message>
        <source>curve %1 put back</source>
        <translation>已恢复曲线 %1</translation>
    </message>
    <message>
        <source>putting curve %1 back failed</source>
        <translation>恢复曲线 %1 失败</translation>
    </message>
    <message>
        <source>curve %1 not put back: a program runs</source>
        <translation>未恢复曲线 %1：程序正在运行</translation>
    </message>
</context>
<context>
    <name>JournalWords</name>
    <message>
        <source>Overview</source>
        <translation>总貌</translation>
    </message>
    <message>
        <source>register %1</source>
        <translation>寄存器 %1</translation>
    </message>
    <message>
        <source>%1 of a curve not known</source>
        <translation>%1（曲线未知）</translation>
    </message>
    <message>
        <source>segment table of a curve not known</source>
        <translation>段表（曲线未知）</translation>
    </message>
    <message>
        <source>curve %1 · %2</source>
        <translation>曲线 %1 · %2</translation>
    </message>
    <message>
        <source>curve %1 · segment table of a recipe not known</source>
        <translation>曲线 %1 · 段表（工艺配方未知）</translation>
    </message>
    <message>
        <source>curve %1 · outside the segment table of recipe %2</source>
        <translation>曲线 %1 · 配方 %2 的段表之外</translation>
    </message>
    <message>
        <source>curve %1 · segment %2 · %3</source>
        <translation>曲线 %1 · 第 %2 段 · %3</translation>
    </message>
    <message>
        <source>Alarm 1 on</source>
        <translation>报警1 动作</translation>
    </message>
    <message>
        <source>Alarm 1 off</source>
        <translation>报警1 解除</translation>
    </message>
    <message>
        <source>Alarm 2 on</source>
        <translation>报警2 动作</translation>
    </message>
    <message>
        <source>Alarm 2 off</source>
        <translation>报警2 解除</translation>
    </message>
    <message>
        <source>PV1 open circuit</source>
        <translation>PV1 开路</translation>
    </message>
    <message>
        <source>PV1 open circuit cleared</source>
        <translation>PV1 开路解除</translation>
    </message>
    <message>
        <source>PV1 short circuit</source>
        <translation>PV1 短路</translation>
    </message>
    <message>
        <source>PV1 short circuit cleared</source>
        <translation>PV1 短路解除</translation>
    </message>
    <message>
        <source>PV2 open circuit</source>
        <translation>PV2 开路</translation>
    </message>
    <message>
        <source>PV2 open circuit cleared</source>
        <translation>PV2 开路解除</translation>
    </message>
    <message>
        <source>PV2 short circuit</source>
        <translation>PV2 短路</translation>
    </message>
    <message>
        <source>PV2 short circuit cleared</source>
        <translation>PV2 短路解除</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>手动</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>自动</translation>
    </message>
    <message>
        <source>Single set value</source>
        <translation>单点SV</translation>
    </message>
    <message>
        <source>Program mode</source>
        <translation>程序运行</translation>
    </message>
    <message>
        <source>SV1 in use</source>
        <translation>使用SV1</translation>
    </message>
    <message>
        <source>SV2 in use</source>
        <translation>使用SV2</translation>
    </message>
    <message>
        <source>Auto-tune on</source>
        <translation>自整定开启</translation>
    </message>
    <message>
        <source>Auto-tune off</source>
        <translation>自整定关闭</translation>
    </message>
    <message>
        <source>Program state</source>
        <translation>程序状态</translation>
    </message>
    <message>
        <source>Segment</source>
        <translation>程序段</translation>
    </message>
    <message>
        <source>Waiting on deviation</source>
        <translation>偏差等待</translation>
    </message>
    <message>
        <source>Deviation wait over</source>
        <translation>偏差等待结束</translation>
    </message>
    <message>
        <source>Program command</source>
        <translation>程序命令</translation>
    </message>
    <message>
        <source>Curve selected</source>
        <translation>曲线选择</translation>
    </message>
    <message>
        <source>Port opened</source>
        <translation>端口打开</translation>
    </message>
    <message>
        <source>Port closed</source>
        <translation>端口关闭</translation>
    </message>
    <message>
        <source>Link lost</source>
        <translation>通讯中断</translation>
    </message>
    <message>
        <source>Link restored</source>
        <translation>通讯恢复</translation>
    </message>
    <message>
        <source>First good read</source>
        <translation>首次读取成功</translation>
    </message>
    <message>
        <source>Register written</source>
        <translation>写寄存器</translation>
    </message>
    <message>
        <source>Coil written</source>
        <translation>写线圈</translation>
    </message>
    <message>
        <source>Console started</source>
        <translation>控制台启动</translation>
    </message>
    <message>
        <source>Console ended</source>
        <translation>控制台退出</translation>
    </message>
    <message>
        <source>Console did not end cleanly</source>
        <translation>控制台未正常退出</translation>
    </message>
    <message>
        <source>Events lost</source>
        <translation>事件丢失</translation>
    </message>
    <message>
        <source>Journal guards made again</source>
        <translation>事件记录保护已重建</translation>
    </message>
    <message>
        <source>Events chained</source>
        <translation>事件已加入哈希链</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>备份</translation>
    </message>
    <message>
        <source>Compare</source>
        <translation>比较</translation>
    </message>
    <message>
        <source>Two files compared</source>
        <translation>比较两个文件</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>恢复</translation>
    </message>
    <message>
        <source>Poll cycle</source>
        <translation>轮询</translation>
    </message>
    <message>
        <source>Instrument</source>
        <translation>仪表</translation>
    </message>
    <message>
        <source>Console</source>
        <translation>控制台</translation>
    </message>
    <message>
        <source>Command line</source>
        <translation>命令行</translation>
    </message>
    <message>
        <source>coil %1</source>
        <translation>线圈 %1</translation>
    </message>
    <message>
        <source>%1 set to %2 (%3)</source>
        <translation>%1 设为 %2（%3）</translation>
    </message>
    <message>
        <source>%1 %2 → %3 (%4)</source>
        <translation>%1 %2 → %3（%4）</translation>
    </message>
</context>
<context>
    <name>LinkControls</name>
    <message>
        <source>a port number, a device path or host:port</source>
        <translation>端口号、设备路径或 host:port</translation>
    </message>
</context>
<context>
    <name>LinkFailure</name>
    <message>
        <source>the instrument refused the value (exception 1: function not supported)</source>
        <translation>仪表拒绝该值（异常 1：不支持该功能）</translation>
    </message>
    <message>
        <source>the instrument refused the value (exception 2: no such register)</source>
        <translation>仪表拒绝该值（异常 2：无此寄存器）</translation>
    </message>
    <message>
        <source>the instrument refused the value (exception 3: value out of range)</source>
        <translation>仪表拒绝该值（异常 3：数值超出范围）</translation>
    </message>
    <message>
        <source>the instrument refused the value (exception 4: instrument fault)</source>
        <translation>仪表拒绝该值（异常 4：仪表故障）</translation>
    </message>
    <message>
        <source>the instrument refused the value (exception %1: %2)</source>
        <translation>仪表拒绝该值（异常 %1：%2）</translation>
    </message>
    <message>
        <source>no answer: check the address, baud rate, parity and wiring</source>
        <translation>无应答：请检查地址、波特率、校验位和接线</translation>
    </message>
</context>
<context>
    <name>LinkStatusIndicator</name>
    <message>
        <source>port</source>
        <translation>端口</translation>
    </message>
    <message>
        <source>good %1 · failed %2</source>
        <translation>成功 %1 · 失败 %2</translation>
    </message>
    <message>
        <source>no transaction yet</source>
        <translation>尚未通讯</translation>
    </message>
    <message>
        <source>last: OK</source>
        <translation>上次：正常</translation>
    </message>
    <message>
        <source>last failed: %1</source>
        <translation>上次失败：%1</translation>
    </message>
    <message>
        <source>no answer</source>
        <translation>无应答</translation>
    </message>
    <message>
        <source>Link closed: %1</source>
        <translation>通讯已关闭：%1</translation>
    </message>
    <message>
        <source>Link closed</source>
        <translation>通讯已关闭</translation>
    </message>
    <message>
        <source>%1 lost — reconnecting in %2 s · %3 · %4</source>
        <translation>%1 连接中断 — %2 秒后重新连接 · %3 · %4</translation>
    </message>
    <message>
        <source>%1 not open</source>
        <translation>%1 未打开</translation>
    </message>
    <message>
        <source>%1 not open: %2</source>
        <translation>%1 未打开：%2</translation>
    </message>
    <message>
        <source>Open %1 · %2 · %3</source>
        <translation>已打开 %1 · %2 · %3</translation>
    </message>
    <message>
        <source>%1 — trying again in %2 s</source>
        <translation>%1 — %2 秒后重试</translation>
    </message>
    <message>
        <source>%1 not open — trying again in %2 s</source>
        <translation>%1 未打开 — %2 秒后重试</translation>
    </message>
    <message>
        <source>Last good read %1 s ago</source>
        <translation>最后一次读取于 %1 秒前</translation>
    </message>
</context>
<context>
    <name>ModbusLink</name>
    <message>
        <source>no connection within %1 ms</source>
        <translation>%1 毫秒内未建立连接</translation>
    </message>
    <message>
        <source>port reopened</source>
        <translation>端口已重新打开</translation>
    </message>
    <message>
        <source>port %1 names no device</source>
        <translation>端口 %1 没有对应的设备</translation>
    </message>
    <message>
        <source>baud code %1 / parity code %2 not known</source>
        <translation>未知的波特率代码 %1 / 校验方式代码 %2</translation>
    </message>
    <message>
        <source>port closed</source>
        <translation>端口已关闭</translation>
    </message>
    <message>
        <source>port not open</source>
        <translation>端口未打开</translation>
    </message>
    <message>
        <source>not sent: %1</source>
        <translation>未发送：%1</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>exception %1 (%2)</source>
        <translation>异常 %1（%2）</translation>
    </message>
    <message>
        <source>CRC error</source>
        <translation>CRC 校验错误</translation>
    </message>
    <message>
        <source>answer did not match</source>
        <translation>应答不匹配</translation>
    </message>
    <message>
        <source>time out</source>
        <translation>超时</translation>
    </message>
    <message>
        <source>%1, no valid answer within %2 ms</source>
        <translation>%1，%2 毫秒内无有效应答</translation>
    </message>
    <message>
        <source>, address %1</source>
        <translation>，地址 %1</translation>
    </message>
    <message>
        <source>cannot open %1: %2</source>
        <translation>无法打开 %1：%2</translation>
    </message>
    <message>
        <source>connection closed</source>
        <translation>连接已关闭</translation>
    </message>
    <message>
        <source>device lost (%1)</source>
        <translation>设备丢失（%1）</translation>
    </message>
    <message>
        <source>device lost: %1</source>
        <translation>设备丢失：%1</translation>
    </message>
    <message>
        <source>cannot connect to %1: %2</source>
        <translation>无法连接 %1：%2</translation>
    </message>
</context>
<context>
    <name>ModbusRequest</name>
    <message>
        <source>illegal function</source>
        <translation>非法功能码</translation>
    </message>
    <message>
        <source>illegal data address</source>
        <translation>非法数据地址</translation>
    </message>
    <message>
        <source>illegal data value</source>
        <translation>非法数据值</translation>
    </message>
    <message>
        <source>server device failure</source>
        <translation>从站设备故障</translation>
    </message>
    <message>
        <source>acknowledge</source>
        <translation>已确认（处理中）</translation>
    </message>
    <message>
        <source>server device busy</source>
        <translation>从站设备忙</translation>
    </message>
    <message>
        <source>memory parity error</source>
        <translation>存储器奇偶校验错误</translation>
    </message>
    <message>
        <source>gateway path unavailable</source>
        <translation>网关路径不可用</translation>
    </message>
    <message>
        <source>gateway target device failed to respond</source>
        <translation>网关目标设备无响应</translation>
    </message>
    <message>
        <source>address %1 is outside 1..247, not sent</source>
        <translation>地址 %1 超出 1..247，未发送</translation>
    </message>
    <message>
        <source>count %1 is outside 1..%2, not sent</source>
        <translation>数量 %1 超出 1..%2，未发送</translation>
    </message>
    <message>
        <source>number %1 is outside 1..65536, not sent</source>
        <translation>编号 %1 超出 1..65536，未发送</translation>
    </message>
    <message>
        <source>value %1 is outside -32768..32767, not sent</source>
        <translation>数值 %1 超出 -32768..32767，未发送</translation>
    </message>
    <message>
        <source>answer of %1 values from %2 does not fit the request</source>
        <translation>应答（自 %2 起 %1 个值）与请求不符</translation>
    </message>
    <message>
        <source>unknown exception</source>
        <translation>未知异常</translation>
    </message>
</context>
<context>
    <name>Navigation</name>
    <message>
        <source>This screen is not available yet</source>
        <translation>此画面暂不可用</translation>
    </message>
    <message>
        <source>Available while the link is open</source>
        <translation>通讯打开后可用</translation>
    </message>
</context>
<context>
    <name>NotMeasured</name>
    <message>
        <source>Not measured: the port was opened, no good read yet</source>
        <translation>未测量：端口已打开，尚未读取成功</translation>
    </message>
    <message>
        <source>Not measured: the port is closed</source>
        <translation>未测量：端口已关闭</translation>
    </message>
    <message>
        <source>Not measured: the link is lost</source>
        <translation>未测量：通讯中断</translation>
    </message>
    <message>
        <source>Not measured: the console was not running</source>
        <translation>未测量：控制台未运行</translation>
    </message>
    <message>
        <source>Not measured: no good read of the instrument is journaled before this</source>
        <translation>未测量：此前日志中没有成功读取仪表的记录</translation>
    </message>
</context>
<context>
    <name>OperatorCommands</name>
    <message>
        <source>%1: %2 is outside %3 — nothing written</source>
        <translation>%1：%2 超出 %3 — 未写入</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is no entry (%3) — nothing written</source>
        <translation>%1：“%2”不是可选项（%3） — 未写入</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; holds no number (%3) — nothing written</source>
        <translation>%1：“%2”中没有数字（%3）— 未写入</translation>
    </message>
    <message>
        <source>Start auto-tune? The instrument drives the output itself until auto-tune ends.</source>
        <translation>启动主自整定？自整定结束前，输出由仪表自行控制。</translation>
    </message>
    <message>
        <source>A program is running or held. Select another curve under it?</source>
        <translation>程序正在运行或暂停中。确定在该程序下选择另一条曲线吗？</translation>
    </message>
</context>
<context>
    <name>OutputTarget</name>
    <message>
        <source>no file named</source>
        <translation>未指定文件</translation>
    </message>
    <message>
        <source>%1 is a folder</source>
        <translation>%1 是文件夹</translation>
    </message>
    <message>
        <source>%1 is the record file&apos;s own %2: writing it would destroy records and the event journal</source>
        <translation>%1 就是记录文件本身的 %2：写入它会毁掉记录和事件日志</translation>
    </message>
    <message>
        <source>%1 is an SQLite database: an export or backup does not replace it</source>
        <translation>%1 是 SQLite 数据库：导出或备份不会覆盖它</translation>
    </message>
</context>
<context>
    <name>OverviewForm</name>
    <message>
        <source>The link is open: ending the program ends logging. Exit?</source>
        <translation>通讯已打开：退出程序将停止记录。确定退出吗？</translation>
    </message>
</context>
<context>
    <name>ParamFields</name>
    <message>
        <source>%1 does not fit a register (-32768 to 32767)</source>
        <translation>%1 超出寄存器范围（-32768 至 32767）</translation>
    </message>
    <message>
        <source>%1 — nothing written</source>
        <translation>%1 — 未写入</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no entry of the list (%2) — nothing written</source>
        <translation>“%1”不是列表中的选项（%2） — 未写入</translation>
    </message>
    <message>
        <source>%1 = %2 was not taken: %3</source>
        <translation>%1 = %2 未被接受：%3</translation>
    </message>
    <message>
        <source>the write failed</source>
        <translation>写入失败</translation>
    </message>
    <message>
        <source>%1 written to the instrument; the console keeps talking with the overview&apos;s link settings until they are changed there</source>
        <translation>%1 已写入仪表；本机仍按主画面的通讯设置通讯，需在主画面修改后才按新设置通讯</translation>
    </message>
    <message>
        <source>empty — nothing written</source>
        <translation>为空 — 未写入</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds no number</source>
        <translation>“%1”中没有数字</translation>
    </message>
</context>
<context>
    <name>PlanControls</name>
    <message>
        <source>F9 Plan</source>
        <translation>F9 计划</translation>
    </message>
    <message>
        <source>Show or hide the running program&apos;s plan over the curves</source>
        <translation>在曲线上显示或隐藏正在运行的程序的计划曲线</translation>
    </message>
    <message>
        <source>Not applied: the soak tolerance is a number from 0 to %1</source>
        <translation>未应用：保温容差须为 0 到 %1 之间的数</translation>
    </message>
    <message>
        <source>± around soak segments, in the instrument&apos;s units, for programs whose wait type is 禁止</source>
        <translation>保温段上下的容差（仪表单位），用于等待类型为“禁止”的程序</translation>
    </message>
</context>
<context>
    <name>PortProblem</name>
    <message>
        <source>%1 does not exist: check that the instrument&apos;s adapter is plugged in and that this is its port</source>
        <translation>%1 不存在：请检查仪表的串口适配器是否已插好，以及端口是否选对</translation>
    </message>
    <message>
        <source>no permission to open %1, and no group may use it: have it given to the dialout group (a udev rule), add user %2 to dialout, then log out and log in again</source>
        <translation>无权打开 %1，且没有任何用户组可以使用它：请让管理员把它交给 dialout 组（udev 规则），把用户 %2 加入 dialout 组，然后注销并重新登录</translation>
    </message>
    <message>
        <source>no permission to open %1: user %2 is in the %3 group, but this login is older than that; log out and log in again</source>
        <translation>无权打开 %1：用户 %2 已在 %3 组中，但本次登录早于加入该组；请注销并重新登录</translation>
    </message>
    <message>
        <source>no permission to open %1: add user %2 to the %3 group (sudo adduser %2 %3), then log out and log in again</source>
        <translation>无权打开 %1：请把用户 %2 加入 %3 组（sudo adduser %2 %3），然后注销并重新登录</translation>
    </message>
    <message>
        <source>%1 is in use by another program: close it there</source>
        <translation>%1 正被另一个程序占用：请在那个程序中关闭它</translation>
    </message>
    <message>
        <source>%1 is in use by another program (%2, process %3): close it there</source>
        <translation>%1 正被另一个程序占用（%2，进程 %3）：请在那个程序中关闭它</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>未知</translation>
    </message>
    <message>
        <source>cannot open %1: %2</source>
        <translation>无法打开 %1：%2</translation>
    </message>
</context>
<context>
    <name>PortTable</name>
    <message>
        <source>no serial devices found</source>
        <translation>未找到串口设备</translation>
    </message>
</context>
<context>
    <name>ProgramProgress</name>
    <message>
        <source>%1 left in the segment</source>
        <translation>本段余 %1</translation>
    </message>
    <message>
        <source>ends %1 if resumed now</source>
        <translation>继续则约 %1 完</translation>
    </message>
    <message>
        <source>ends %1</source>
        <translation>约 %1 完</translation>
    </message>
</context>
<context>
    <name>ProgramRun</name>
    <message>
        <source>still running</source>
        <translation>仍在运行</translation>
    </message>
    <message>
        <source>ended</source>
        <translation>已结束</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>已停止</translation>
    </message>
    <message>
        <source>link lost</source>
        <translation>通讯中断</translation>
    </message>
    <message>
        <source>console closed</source>
        <translation>控制台已关闭</translation>
    </message>
</context>
<context>
    <name>QuestionBox</name>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
</context>
<context>
    <name>RecordIndicator</name>
    <message>
        <source>no record written yet</source>
        <translation>尚未写入记录</translation>
    </message>
    <message>
        <source>last record %1 · %2 written</source>
        <translation>最近记录 %1 · 已写入 %2 条</translation>
    </message>
    <message>
        <source>Record file closed</source>
        <translation>记录文件已关闭</translation>
    </message>
    <message>
        <source>Record file ok · %1</source>
        <translation>记录文件正常 · %1</translation>
    </message>
    <message>
        <source>failing</source>
        <translation>出错</translation>
    </message>
    <message>
        <source>Record file: %1 · %2 · failed %3</source>
        <translation>记录文件：%1 · %2 · 失败 %3</translation>
    </message>
    <message>
        <source>· event journal failing</source>
        <translation>· 事件记录写入失败</translation>
    </message>
</context>
<context>
    <name>RecordOutbox</name>
    <message>
        <source>the record file %1 cannot be read: %2</source>
        <translation>无法读取记录文件 %1：%2</translation>
    </message>
    <message>
        <source>the record file %1 cannot be opened: %2</source>
        <translation>无法打开记录文件 %1：%2</translation>
    </message>
    <message>
        <source>sl_void holds no row</source>
        <translation>sl_void 中没有数据行</translation>
    </message>
    <message>
        <source>record %1 of %2 is missing</source>
        <translation>%2 中缺少记录 %1</translation>
    </message>
</context>
<context>
    <name>RecordStore</name>
    <message>
        <source>closed</source>
        <translation>已关闭</translation>
    </message>
    <message>
        <source>the record file cannot be opened: %1 is a folder</source>
        <translation>无法打开记录文件：%1 是文件夹</translation>
    </message>
    <message>
        <source>the record folder %1 cannot be created</source>
        <translation>无法创建记录文件夹 %1</translation>
    </message>
    <message>
        <source>sl_void holds no row</source>
        <translation>sl_void 中没有数据行</translation>
    </message>
    <message>
        <source>sl_void column %1 holds no number</source>
        <translation>sl_void 第 %1 列不是数值</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>正常</translation>
    </message>
    <message>
        <source>table %1 has %2 columns, %3 expected</source>
        <translation>表 %1 有 %2 列，应为 %3 列</translation>
    </message>
</context>
<context>
    <name>RecordStoreErrors</name>
    <message>
        <source>record database error</source>
        <translation>记录数据库错误</translation>
    </message>
    <message>
        <source>the record file is locked by another program</source>
        <translation>记录文件被其他程序锁定</translation>
    </message>
    <message>
        <source>the record file is read-only</source>
        <translation>记录文件为只读</translation>
    </message>
    <message>
        <source>the disk of the record file is full</source>
        <translation>记录文件所在磁盘已满</translation>
    </message>
    <message>
        <source>the record file is damaged or is not a database</source>
        <translation>记录文件已损坏或不是数据库</translation>
    </message>
    <message>
        <source>the record file cannot be opened</source>
        <translation>无法打开记录文件</translation>
    </message>
    <message>
        <source>the record file cannot be written</source>
        <translation>无法写入记录文件</translation>
    </message>
    <message>
        <source>the record file cannot be read</source>
        <translation>无法读取记录文件</translation>
    </message>
</context>
<context>
    <name>RegisterMap</name>
    <message>
        <source>curve %1 / %2</source>
        <translation>曲线 %1 / %2</translation>
    </message>
</context>
<context>
    <name>RunChart</name>
    <message>
        <source>Plan (dashed)</source>
        <translation>计划（虚线）</translation>
    </message>
</context>
<context>
    <name>RunReportLoader</name>
    <message>
        <source>long record (one every 10 s)</source>
        <translation>长记录（每 10 秒一条）</translation>
    </message>
    <message>
        <source>short record (one a second)</source>
        <translation>短记录（每秒一条）</translation>
    </message>
    <message>
        <source>the record file %1 cannot be read: %2</source>
        <translation>无法读取记录文件 %1：%2</translation>
    </message>
    <message>
        <source>the runs cannot be read: %1</source>
        <translation>无法读取程序运行记录：%1</translation>
    </message>
    <message>
        <source>there is no run %1 in %2</source>
        <translation>%2 中没有第 %1 次运行</translation>
    </message>
    <message>
        <source>no run has ended in %1</source>
        <translation>%1 中尚无已结束的运行</translation>
    </message>
    <message>
        <source>the records cannot be read: %1</source>
        <translation>无法读取记录：%1</translation>
    </message>
    <message>
        <source>the records of run %1 (from %2) have been overwritten by the ring</source>
        <translation>第 %1 次运行（始于 %2）的记录已被循环记录覆盖</translation>
    </message>
</context>
<context>
    <name>RunReportWriter</name>
    <message>
        <source>Segment</source>
        <translation>段号</translation>
    </message>
    <message>
        <source>Planned target</source>
        <translation>计划目标值</translation>
    </message>
    <message>
        <source>Planned time</source>
        <translation>计划时间</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <source>End</source>
        <translation>结束</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>时长</translation>
    </message>
    <message>
        <source>On hold</source>
        <translation>暂停时间</translation>
    </message>
    <message>
        <source>Deviation wait</source>
        <translation>偏差等待时间</translation>
    </message>
    <message>
        <source>Soak</source>
        <translation>保温段</translation>
    </message>
    <message>
        <source>PV minimum</source>
        <translation>PV 最小值</translation>
    </message>
    <message>
        <source>PV maximum</source>
        <translation>PV 最大值</translation>
    </message>
    <message>
        <source>PV mean</source>
        <translation>PV 平均值</translation>
    </message>
    <message>
        <source>Outside tolerance</source>
        <translation>超出允差时间</translation>
    </message>
    <message>
        <source>Not measured</source>
        <translation>未测量时间</translation>
    </message>
    <message>
        <source>unknown unit</source>
        <translation>时间单位未知</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>no</source>
        <translation>否</translation>
    </message>
    <message>
        <source>no soak measured</source>
        <translation>没有测量到保温段</translation>
    </message>
    <message>
        <source>yes: every soak stayed within ±%1</source>
        <translation>是：每个保温段都在 ±%1 之内</translation>
    </message>
    <message>
        <source>NO: a soak went outside ±%1</source>
        <translation>否：有保温段超出 ±%1</translation>
    </message>
    <message>
        <source>not read</source>
        <translation>未读取</translation>
    </message>
    <message>
        <source>%1 segments, time unit %2 s, wait type %3, wait deviation %4, recipe %5</source>
        <translation>%1 段，时间单位 %2 秒，等待类型 %3，等待偏差值 %4，工艺配方 %5</translation>
    </message>
    <message>
        <source>Console</source>
        <translation>控制台</translation>
    </message>
    <message>
        <source>mt3600-console on %1</source>
        <translation>%1 上的 mt3600-console</translation>
    </message>
    <message>
        <source>Instrument address</source>
        <translation>仪表地址</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>未知</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>运行</translation>
    </message>
    <message>
        <source> (joined at its start time)</source>
        <translation>（于开始时间接入）</translation>
    </message>
    <message>
        <source>Curve</source>
        <translation>曲线</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>程序</translation>
    </message>
    <message>
        <source>%1 (last seen)</source>
        <translation>%1（最后一次看到）</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>结果</translation>
    </message>
    <message>
        <source>Soaks within tolerance</source>
        <translation>保温段均在允差内</translation>
    </message>
    <message>
        <source>Tolerance</source>
        <translation>允差</translation>
    </message>
    <message>
        <source>±%1, the program&apos;s wait deviation</source>
        <translation>±%1，程序的等待偏差值</translation>
    </message>
    <message>
        <source>±%1, set on the console</source>
        <translation>±%1，在控制台上设定</translation>
    </message>
    <message>
        <source>Alarms</source>
        <translation>报警</translation>
    </message>
    <message>
        <source>Records</source>
        <translation>记录</translation>
    </message>
    <message>
        <source>%1, %2 records</source>
        <translation>%1，%2 条记录</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation>无法写入 %1：%2</translation>
    </message>
    <message>
        <source>Program run %1</source>
        <translation>第 %1 次程序运行</translation>
    </message>
    <message>
        <source>Segments</source>
        <translation>段</translation>
    </message>
    <message>
        <source>Events during the run</source>
        <translation>运行期间的事件</translation>
    </message>
    <message>
        <source>no PDF page</source>
        <translation>无法开始 PDF 页面</translation>
    </message>
</context>
<context>
    <name>RunWatcher</name>
    <message>
        <source>recipe %1 places no segment table</source>
        <translation>工艺配方 %1 不对应任何段表</translation>
    </message>
</context>
<context>
    <name>RunsForm</name>
    <message>
        <source>Run</source>
        <translation>运行</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <source>End</source>
        <translation>结束</translation>
    </message>
    <message>
        <source>Curve</source>
        <translation>曲线</translation>
    </message>
    <message>
        <source>Segments</source>
        <translation>段</translation>
    </message>
    <message>
        <source>How it ended</source>
        <translation>结束方式</translation>
    </message>
    <message>
        <source>Largest deviation on soaks</source>
        <translation>保温段最大偏差</translation>
    </message>
    <message>
        <source>Alarms</source>
        <translation>报警</translation>
    </message>
    <message>
        <source>Used on soaks when the program does not wait on deviation</source>
        <translation>程序不作偏差等待时，用于保温段</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>类别</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>事件</translation>
    </message>
    <message>
        <source>file for PDF or CSV</source>
        <translation>PDF 或 CSV 文件</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>打印</translation>
    </message>
    <message>
        <source>PDF</source>
        <translation>PDF</translation>
    </message>
    <message>
        <source>CSV</source>
        <translation>CSV</translation>
    </message>
    <message>
        <source>Tolerance when the program does not wait (±):</source>
        <translation>程序不等待时的允差（±）：</translation>
    </message>
    <message>
        <source>The runs cannot be read: %1</source>
        <translation>无法读取程序运行记录：%1</translation>
    </message>
    <message>
        <source>not read</source>
        <translation>未读取</translation>
    </message>
    <message>
        <source> (joined)</source>
        <translation>（接入）</translation>
    </message>
    <message numerus="yes">
        <source>%n run(s) listed</source>
        <translation>
            <numerusform>已列出 %n 次运行</numerusform>
        </translation>
    </message>
    <message>
        <source>records gone</source>
        <translation>记录已覆盖</translation>
    </message>
    <message>
        <source>no soak</source>
        <translation>无保温段</translation>
    </message>
    <message>
        <source>The tolerance must be a number from 0 to 10000</source>
        <translation>允差须为 0 到 10000 之间的数</translation>
    </message>
    <message>
        <source>Name the file first</source>
        <translation>请先填写文件名</translation>
    </message>
    <message>
        <source>Run %1 written to %2</source>
        <translation>第 %1 次运行已写入 %2</translation>
    </message>
    <message>
        <source>Run %1 sent to the printer</source>
        <translation>第 %1 次运行已送往打印机</translation>
    </message>
</context>
<context>
    <name>SetupIo</name>
    <message>
        <source>cancelled</source>
        <translation>已取消</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>失败</translation>
    </message>
    <message>
        <source>reading %1 (%2 to %3) failed: %4</source>
        <translation>读取 %1（%2 至 %3）失败：%4</translation>
    </message>
    <message>
        <source>selecting curve %1 failed: %2</source>
        <translation>选择曲线 %1 失败：%2</translation>
    </message>
    <message>
        <source>curve %1</source>
        <translation>曲线 %1</translation>
    </message>
    <message>
        <source>reading %1 failed: %2</source>
        <translation>读取 %1 失败：%2</translation>
    </message>
    <message>
        <source>reading the program state failed: %1</source>
        <translation>读取程序状态失败：%1</translation>
    </message>
    <message>
        <source>a program is running or held: stop it first, reading the programs selects each curve in turn</source>
        <translation>程序正在运行或暂停：请先停止；读取程序时会依次选择每条曲线</translation>
    </message>
    <message>
        <source>reading the curve selection failed: %1</source>
        <translation>读取当前曲线失败：%1</translation>
    </message>
    <message>
        <source>the link is not open: nothing written</source>
        <translation>通讯未打开：未写入</translation>
    </message>
    <message>
        <source>reading the recipe value failed: %1</source>
        <translation>读取工艺配方失败：%1</translation>
    </message>
    <message>
        <source>putting curve %1 back failed: %2</source>
        <translation>恢复曲线 %1 失败：%2</translation>
    </message>
    <message>
        <source>curve %1: recipe value %2 places no table (0 to 8)</source>
        <translation>曲线 %1：工艺配方值 %2 无对应曲线表（应为 0 至 8）</translation>
    </message>
    <message>
        <source>recipe value %1 places no table (0 to 8): nothing written there</source>
        <translation>工艺配方值 %1 无对应曲线表（应为 0 至 8）：未写入</translation>
    </message>
    <message>
        <source>the instrument stopped answering (three requests in a row): the rest is not written</source>
        <translation>仪表停止应答（连续三次请求无应答）：其余未写入</translation>
    </message>
    <message>
        <source>(curve %1 was not put back: a program runs)</source>
        <translation>（未恢复曲线 %1：程序正在运行）</translation>
    </message>
    <message>
        <source>a program was started (state %1): the restore stopped, the rest is not written</source>
        <translation>程序已启动（状态 %1）：写入已停止，其余未写入</translation>
    </message>
    <message>
        <source>recipe differs</source>
        <translation>工艺配方不同</translation>
    </message>
    <message>
        <source>%1 (%2) was not taken, and this is read in its terms</source>
        <translation>%1（%2）未被接受，而本项的含义取决于它</translation>
    </message>
    <message>
        <source>written; not verifiable after the link setting changed</source>
        <translation>已写入；通讯设置改变后无法校验</translation>
    </message>
    <message>
        <source>no answer at the old link setting, whether it was taken is not known (%1)</source>
        <translation>按原通讯设置无应答，不知是否已被接受（%1）</translation>
    </message>
    <message>
        <source>another instrument-file job is still running</source>
        <translation>另一项仪表文件作业仍在进行</translation>
    </message>
</context>
<context>
    <name>SetupJob</name>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>无法读取 %1：%2</translation>
    </message>
    <message>
        <source>%1 refused, nothing written: %2</source>
        <translation>%1 被拒绝，未写入：%2</translation>
    </message>
    <message>
        <source>Backup failed, no file written: %1</source>
        <translation>备份失败，未写文件：%1</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation>无法写入 %1：%2</translation>
    </message>
    <message>
        <source>%1 registers backed up to %2</source>
        <translation>已将 %1 个寄存器备份到 %2</translation>
    </message>
    <message>
        <source>Compare failed: %1</source>
        <translation>比较失败：%1</translation>
    </message>
    <message>
        <source>%1 differences</source>
        <translation>%1 处不同</translation>
    </message>
    <message>
        <source>Nothing written: %1</source>
        <translation>未写入：%1</translation>
    </message>
    <message>
        <source>the link is not open: nothing written</source>
        <translation>通讯未打开：未写入</translation>
    </message>
    <message>
        <source>written and verified %1, written but not read back %2, refused %3, not verified %4, not written %5, unchanged %6</source>
        <translation>已写入并校验 %1，已写入未读回 %2，被拒绝 %3，校验不符 %4，未写入 %5，未变 %6</translation>
    </message>
    <message>
        <source>Backup refused, nothing read: %1</source>
        <translation>拒绝备份，未读取：%1</translation>
    </message>
    <message>
        <source>no file named</source>
        <translation>未指定文件</translation>
    </message>
    <message>
        <source>%1 exists and is not an instrument file of this console (%2): not replaced</source>
        <translation>%1 已存在且不是本控制台的仪表文件（%2）：未替换</translation>
    </message>
    <message>
        <source>Nothing written: the event journal cannot record the writes: %1</source>
        <translation>未写入：事件记录无法记录这些写入：%1</translation>
    </message>
    <message>
        <source>%1 (%2): %3 → %4</source>
        <translation>%1（%2）：%3 → %4</translation>
    </message>
    <message>
        <source>Not confirmed: nothing written</source>
        <translation>未确认：未写入</translation>
    </message>
    <message>
        <source>Nothing written: the instrument&apos;s present setup cannot be saved to %1: %2</source>
        <translation>未写入：无法将仪表当前设置保存到 %1：%2</translation>
    </message>
    <message>
        <source>The instrument&apos;s setup before the restore is saved to %1</source>
        <translation>写入前的仪表设置已保存到 %1</translation>
    </message>
    <message>
        <source>Compared after writing: %1 differences</source>
        <translation>写入后比较：%1 处不同</translation>
    </message>
    <message>
        <source>Compared after writing: %1 differences, and %2 in the address, baud rate and parity (written after the compare, or not asked for)</source>
        <translation>写入后比较：%1 处不同，另有通讯地址、波特率和校验方式 %2 处（在比较之后写入，或未要求写入）</translation>
    </message>
    <message>
        <source>Compared after writing: not possible: %1</source>
        <translation>写入后比较：无法进行：%1</translation>
    </message>
    <message>
        <source>refused	%1: %2</source>
        <translation>被拒绝	%1：%2</translation>
    </message>
    <message>
        <source>not verified	%1: %2</source>
        <translation>校验不符	%1：%2</translation>
    </message>
    <message>
        <source>not verified	%1	reads %2</source>
        <translation>校验不符	%1	读回 %2</translation>
    </message>
    <message>
        <source>%1	%2</source>
        <translation>%1	%2</translation>
    </message>
    <message>
        <source>written, not read back	%1: %2</source>
        <translation>已写入，未读回	%1：%2</translation>
    </message>
    <message>
        <source>not written	%1</source>
        <translation>未写入	%1</translation>
    </message>
    <message>
        <source>not written: %1	%2</source>
        <translation>未写入：%1	%2</translation>
    </message>
    <message>
        <source>backup</source>
        <translation>备份</translation>
    </message>
    <message>
        <source>compare</source>
        <translation>比较</translation>
    </message>
    <message>
        <source>restore</source>
        <translation>恢复</translation>
    </message>
    <message>
        <source>compare two files</source>
        <translation>比较两个文件</translation>
    </message>
</context>
<context>
    <name>SwitchOverPlot</name>
    <message>
        <source>main input</source>
        <translation>主输入</translation>
    </message>
    <message>
        <source>auxiliary input</source>
        <translation>辅助输入</translation>
    </message>
    <message>
        <source>lower %1</source>
        <translation>下切换点 %1</translation>
    </message>
    <message>
        <source>upper %1</source>
        <translation>上切换点 %1</translation>
    </message>
    <message>
        <source>measured value rising: the auxiliary input takes over above the upper point; falling: the main input below the lower point</source>
        <translation>测量值上升：超过上切换点后转由辅助输入测量；下降：低于下切换点后转由主输入测量</translation>
    </message>
</context>
<context>
    <name>Tech</name>
    <message>
        <source>highest</source>
        <translation>最高</translation>
    </message>
    <message>
        <source>lowest</source>
        <translation>最低</translation>
    </message>
    <message>
        <source>step</source>
        <translation>刻度</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no curve (0 to 8) — nothing written</source>
        <translation>“%1”不是曲线号（0 至 8） — 未写入</translation>
    </message>
    <message>
        <source>Curve selection was not taken: %1</source>
        <translation>曲线选择未被接受：%1</translation>
    </message>
    <message>
        <source>the recipe value %1 places no segment table (0 to 8)</source>
        <translation>工艺配方值 %1 不对应任何段表（0 至 8）</translation>
    </message>
    <message>
        <source>A program is running or held. Select another curve under it?</source>
        <translation>程序正在运行或暂停中。确定在该程序下选择另一条曲线吗？</translation>
    </message>
</context>
<context>
    <name>console_settings</name>
    <message>
        <source>The folder %1 cannot be made</source>
        <translation>无法创建文件夹 %1</translation>
    </message>
</context>
<context>
    <name>lsqx</name>
    <message>
        <source>No action on the history screen</source>
        <translation>此按钮在历史曲线画面中无作用</translation>
    </message>
</context>
</TS>
