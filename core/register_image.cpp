#include "register_image.h"

std::array<qint32, 501> Raw3X{};
std::array<float, 301> Val3X{};
std::array<qint32, 101> Val3X33{};
std::array<qint32, 21> Val3X4097{};
std::array<qint32, 501> Raw4X{};
std::array<float, 301> Val4X{};
std::array<float, 51> Val4X4353{};
std::array<qint32, 101> Bit1X{};
std::array<qint32, 101> Bit0X{};
std::array<qint32, 501> LinkSet{};

void ResetRegisterImage() {
    Raw3X.fill(0);
    Val3X.fill(0);
    Val3X33.fill(0);
    Val3X4097.fill(0);
    Raw4X.fill(0);
    Val4X.fill(0);
    Val4X4353.fill(0);
    Bit1X.fill(0);
    Bit0X.fill(0);
    LinkSet.fill(0);
}
