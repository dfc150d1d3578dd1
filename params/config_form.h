#pragma once
// The configuration screen CONFIG1: the instrument's configuration block (holding registers 4097
// to 4184) on the twelve tabs of SSTab2. Every second it reads the block itself in six reads, the
// event loop running between them, into its own image.

#include "link/block_reader.h"
#include "params/param_screen.h"

#include <array>

class CorrectionPlot;
class QTabWidget;
class SwitchOverPlot;

class CONFIG1 final : public ParamScreen {
    Q_OBJECT
public:
    CONFIG1(Instrument& instrument, InstrumentLink& link, std::function<void()> back,
            QWidget* parent = nullptr);
    void Timer1_Timer() override;

    QTabWidget* tabs() const { return SSTab2; }
    const BlockReader& refresh() const { return reader; }

private:
    QWidget* buildTab(const ParamTable& table, int group);
    QWidget* buildDigitalInputs(const ParamTable& table, QWidget* frame);
    QWidget* buildCorrectionPoints(const ParamTable& table, QWidget* frame);
    void showBlock(int block);

    std::array<qint32, 101> image{}; // element k: register 4096 + k
    BlockReader reader;
    QTabWidget* SSTab2 = nullptr;
    SwitchOverPlot* switchPlot = nullptr;
    CorrectionPlot* correctionPlot = nullptr;
};
