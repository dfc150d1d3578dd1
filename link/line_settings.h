#pragma once
// The serial line settings the console offers, by the codes the link target and the link use: baud code
// 0/1/2 = 4800/9600/19200, parity code 0/1/2 = none/odd/even (8 data bits, 1 stop bit). The
// overview's option buttons, the command line and the link all read this one table.

#include <QSerialPort>
#include <QStringView>
#include <array>

constexpr std::array<int, 3> kBaudRates = {4800, 9600, 19200};

struct ParityChoice {
    QSerialPort::Parity parity;
    QStringView option;  // on the command line
    QStringView caption; // on the overview
};
constexpr std::array<ParityChoice, 3> kParityChoices = {{
    {QSerialPort::NoParity, u"none", u"无校验"},
    {QSerialPort::OddParity, u"odd", u"奇校验"},
    {QSerialPort::EvenParity, u"even", u"偶校验"},
}};

constexpr bool is_line_code(int code) {
    return code >= 0 && code < 3;
}
// Only for codes that pass is_line_code().
constexpr int baud_of_code(int code) {
    return kBaudRates[static_cast<std::size_t>(code)];
}
constexpr QSerialPort::Parity parity_of_code(int code) {
    return kParityChoices[static_cast<std::size_t>(code)].parity;
}
