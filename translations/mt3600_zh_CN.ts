<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>DemoInstrument</name>
    <message>
        <source>mt3600-sim did not report ready within %1 s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mt3600-sim could not be started: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mt3600-sim ended (exit code %1) before it was ready</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mt3600-sim not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no temporary folder for the simulated instrument: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mt3600-sim said: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LinkStatusIndicator</name>
    <message>
        <source>port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>good %1 · failed %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no transaction yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>last: OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>last failed: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no answer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Link closed: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Link closed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 lost — reconnecting in %2 s · %3 · %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 not open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 not open: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open %1 · %2 · %3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecordIndicator</name>
    <message>
        <source>no record written yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>last record %1 · %2 written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Record file closed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Record file ok · %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>failing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Record file: %1 · %2 · failed %3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
