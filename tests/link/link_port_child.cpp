// A second program for the port tests.
//   link_port_child open PATH [--as-nobody]   opens PATH with the Modbus link and prints the
//                                             problem's number and words (run as root,
//                                             --as-nobody first gives up root for user nobody)
//   link_port_child hold PATH                 holds PATH open, as a terminal program would, and
//                                             prints "held"; lets go when standard input closes
#include "link/modbus_link.h"

#include <QCoreApplication>
#include <QSerialPort>
#include <cstdio>
#include <cstring>
#include <grp.h>
#include <pwd.h>
#include <unistd.h>

namespace {
bool become_nobody() {
    const passwd* nobody = ::getpwnam("nobody");
    return nobody && ::setgroups(0, nullptr) == 0 && ::setgid(nobody->pw_gid) == 0 &&
           ::setuid(nobody->pw_uid) == 0;
}
} // namespace

int main(int argc, char** argv) {
    if (argc < 3)
        return 2;
    if (argc > 3 && std::strcmp(argv[3], "--as-nobody") == 0 && ::getuid() == 0 &&
        !become_nobody()) {
        std::perror("link_port_child: nobody");
        return 3;
    }
    QCoreApplication app(argc, argv);
    const QString path = QString::fromLocal8Bit(argv[2]);
    if (std::strcmp(argv[1], "hold") == 0) {
        QSerialPort port(path);
        if (!port.open(QIODevice::ReadWrite)) {
            std::fprintf(stderr, "link_port_child: %s\n", qPrintable(port.errorString()));
            return 1;
        }
        std::puts("held");
        std::fflush(stdout);
        while (std::getchar() != EOF) {
        }
        return 0;
    }
    ModbusLink link{PortTable{}};
    link.OpenPort_Modbus(1, 1, 0, path);
    const LinkStatus s = link.status();
    std::printf("%d\n%s\n", int(s.problem), qPrintable(s.problemText));
    return 0;
}
