// Software cost of one link transaction, unpaced (no line speed to wait for): a chain of reads of
// 16 registers, each queued from the previous completion, as the poll cycle does. Prints the
// median over several rounds of wall time and process CPU time per transaction. The CPU figure
// includes the in-process device's own work; the RTU wall figure includes Qt's inter-frame gap
// (3.5 characters, at least 2 ms), which is line protocol, not cost.
//
// Then the cost of a vanished device: CPU used by the link in the two seconds after its pty is
// closed under it (Qt floods errors at full speed if the link does not let go of the device).
//
//   bench_link [transactions per round] [rounds]

#include "link/modbus_link.h"
#include "support/pty_device.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QModbusTcpServer>
#include <QTcpServer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {
double now(clockid_t id) {
    timespec t{};
    clock_gettime(id, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// Answers reads of function 03/04 with `count` registers holding their numbers; echoes writes.
void answer(PtyDevice& d, const QByteArray& req) {
    const int function = quint8(req.at(1));
    if (function != 3 && function != 4) {
        d.send(req);
        return;
    }
    const int count = (quint8(req.at(4)) << 8) | quint8(req.at(5));
    QByteArray body;
    body.append(req.at(0)).append(req.at(1)).append(char(2 * count));
    for (int k = 0; k < count; ++k)
        body.append(char(0)).append(char(k));
    d.send(with_crc(body));
}

struct Round {
    double wallUs = 0;
    double cpuUs = 0;
    int failures = 0;
};

Round run_round(ModbusLink& link, int n) {
    std::vector<qint32> buffer(16);
    int left = n;
    Round r;
    QEventLoop loop;
    std::function<void()> next = [&] {
        link.Get_3X_DX(1, 1, 1, 16, buffer.data(), nullptr, [&](int result) {
            r.failures += result != 0;
            if (--left == 0)
                loop.quit();
            else
                next();
        });
    };
    const double wall0 = now(CLOCK_MONOTONIC), cpu0 = now(CLOCK_PROCESS_CPUTIME_ID);
    next();
    QTimer::singleShot(120000, &loop, &QEventLoop::quit); // bounded
    loop.exec();
    r.wallUs = (now(CLOCK_MONOTONIC) - wall0) * 1e6 / n;
    r.cpuUs = (now(CLOCK_PROCESS_CPUTIME_ID) - cpu0) * 1e6 / n;
    return r;
}

void report(const char* name, ModbusLink& link, int n, int rounds) {
    run_round(link, std::min(n, 50)); // warm up
    std::vector<double> wall, cpu;
    int failures = 0;
    for (int k = 0; k < rounds; ++k) {
        const Round r = run_round(link, n);
        wall.push_back(r.wallUs);
        cpu.push_back(r.cpuUs);
        failures += r.failures;
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    std::printf("%-28s median of %d rounds x %d: %8.1f us wall, %7.1f us CPU per transaction"
                " (failures %d)\n",
                name, rounds, n, wall[wall.size() / 2], cpu[cpu.size() / 2], failures);
}
// CPU seconds this process spends in the `seconds` after the device node goes away mid-request.
double cpu_after_loss(double seconds) {
    PtyDevice device;
    if (!device.open())
        return -1;
    ModbusLink link;
    if (link.OpenPort_Modbus(1, 1, 0, device.path()) != 0)
        return -1;
    qint32 v = 0;
    link.Get_3X_DX(1, 1, 1, 1, &v, nullptr, [](int) {}); // never answered
    QEventLoop loop;
    QTimer::singleShot(50, &loop, &QEventLoop::quit);
    loop.exec();
    device.close(); // the adapter is pulled
    const double cpu0 = now(CLOCK_PROCESS_CPUTIME_ID);
    QTimer::singleShot(int(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
    return now(CLOCK_PROCESS_CPUTIME_ID) - cpu0;
}
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int n = argc > 1 ? std::max(10, std::atoi(argv[1])) : 300;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;

    for (const int baudCode : {1, 2}) {
        PtyDevice device;
        if (!device.open())
            return 1;
        device.setResponder(answer);
        ModbusLink link;
        if (link.OpenPort_Modbus(1, baudCode, 0, device.path()) != 0)
            return 1;
        report(baudCode == 1 ? "RTU pty, 9600 settings" : "RTU pty, 19200 settings", link, n,
               rounds);
    }

    QModbusTcpServer server;
    QModbusDataUnitMap map;
    map.insert(QModbusDataUnit::InputRegisters, {QModbusDataUnit::InputRegisters, 0, 16});
    server.setMap(map);
    server.setServerAddress(1);
    server.setConnectionParameter(QModbusDevice::NetworkAddressParameter, "127.0.0.1");
    server.setConnectionParameter(QModbusDevice::NetworkPortParameter, 0);
    auto* listener = server.connectDevice() ? server.findChild<QTcpServer*>() : nullptr;
    if (!listener)
        return 1;
    ModbusLink tcp;
    tcp.OpenPort_Modbus(1, 1, 0, QStringLiteral("127.0.0.1:%1").arg(listener->serverPort()));
    report("TCP loopback, Qt server", tcp, n, rounds);

    std::vector<double> lossCpu;
    for (int k = 0; k < 3; ++k)
        lossCpu.push_back(cpu_after_loss(2.0));
    std::sort(lossCpu.begin(), lossCpu.end());
    std::printf("%-28s median of 3: %.3f s CPU in the 2 s after the device went away\n",
                "RTU pty pulled", lossCpu[1]);
    return 0;
}
