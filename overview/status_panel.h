#pragma once
// The live status panel of the overview: the value fields that show the register image as numbers
// or as status words, refreshed by the overview's 200 ms tick. The display-only groups ("ALM",
// "State", "PROGRAM ", "PID") are built here; the main-value and program-command fields are placed
// by the form beside the commands that go with them.

#include "core/register_image.h"
#include "panel_decode.h"
#include "program_progress.h"

#include <QString>
#include <array>
#include <functional>
#include <optional>

class ElidedLabel;
class QGroupBox;
class QLabel;
class QWidget;

class StatusPanel {
public:
    // Shows `image`; the fields are parented to `owner`.
    StatusPanel(const RegisterImage& image, QWidget* owner);

    // The first step of each tick while the ruler is off: main values back to their own colour.
    void resetMainBackgrounds();
    // One refresh from the register image, in the panel's fixed order. Without the main values,
    // D_3W(0..5) are left as they are (they hold the ruler's readouts while the chart is frozen).
    void refresh(bool mainValues = true);
    // Stale values (the link lost, not yet read, or closed) in grey, fresh ones in black.
    void setStale(bool stale);
    bool stale() const { return grey; }

    QLabel* d3w(int i) const { return D_3W[static_cast<std::size_t>(i)]; }
    QLabel* d4w(int i) const { return D_4W[static_cast<std::size_t>(i)]; }
    QLabel* d1rw(int i) const { return D_1RW[static_cast<std::size_t>(i)]; }

    QGroupBox* alarmGroup() const { return alm; }
    QGroupBox* stateGroup() const { return state; }
    QGroupBox* programGroup() const { return program; }
    QGroupBox* pidGroup() const { return pid; }

    // Where the running program's segment count and time unit come from (empty: not known); the
    // line under the program group says what it can without them.
    void setProgramShape(std::function<std::optional<ProgramShape>()> source);
    QLabel* progressLine() const;

    // A value field: framed, centred, on its design background.
    static QLabel* makeField(QWidget* owner, const QString& array, int index, Rgb background,
                             int pointSize, QStringView widest);
    static void setBackground(QLabel* field, Rgb colour);

private:
    void buildGroups(QWidget* owner);
    static void put(QLabel* field, const QString& text);
    static void put(QLabel* field, const std::optional<PanelWord>& word);
    QLabel* bitField(const BitField& f) const;

    const RegisterImage& image;
    // Indexes the form does not have stay null; writes to them are skipped.
    std::array<QLabel*, 9> D_3W{};
    std::array<QLabel*, 8> D_4W{};
    std::array<QLabel*, 7> D_1RW{};
    std::array<QLabel*, 8> D_2R{};
    std::array<QLabel*, 7> D3WW{};
    std::array<QLabel*, 9> D3XX{};
    std::array<QLabel*, 16> D3WWP{};
    QGroupBox* alm = nullptr;
    QGroupBox* state = nullptr;
    QGroupBox* program = nullptr;
    QGroupBox* pid = nullptr;
    bool grey = false;
    ElidedLabel* progress = nullptr; // "段 n/N", the time left, the projected end
    std::function<std::optional<ProgramShape>()> shapeOf;
};
