#pragma once

#include <QString>

#include <optional>

#include "path_commands.h"

class QMenu;
class QWidget;

namespace plexion {

// The entries of the Trajectories and Shapes panel's "Edi&t" submenu, as
// offsets from the submenu's first identifier.
enum TrajectoryCommand : int {
    kRemoveAllPointsCommand = 100,
    kResamplePointsCommand = 101,
    kSmoothPointsCommand = 102,
    kQuantifyPointsCommand = 103,
    kAddNoiseCommand = 104,
    kConvertToRegionCommand = 400,
    kUpdateCenterOfMassCommand = 500,
};

// The path operation of one of the first five commands.
std::optional<PathOperation> OperationOfCommand(int offset);
// The name of a command's change, its menu text without the mnemonic and
// the dots: "Resample Points".
QString CommandStepLabel(int offset);

// Fills the submenu: the seven commands with their status texts, a
// separator before the region and before the center of mass, every entry
// enabled only when `enabled`.
void AddTrajectoryCommands(QMenu* menu, int firstId, bool enabled);

// Tells the user that a value prompt's text holds no number, so nothing
// was changed.
void TellNotANumber(QWidget* parent, const QString& typed);

// The values last used in the path operations' prompts, kept for the life
// of a panel.
class CPathPromptValues {
public:
    // The prompt's caption and label ("Resample",
    // "Distance Between Points (0.01 to 10000)"), empty for Remove All.
    static QString Caption(PathOperation operation);
    static QString Label(PathOperation operation);
    // The last value as the prompt offers it: "%.2f" of the distance, "%d"
    // of the range, "%.3f" of the grid size, "%.4f" of the level.
    QString Text(PathOperation operation) const;
    // Reads what the user typed, a decimal number (an integer for smooth),
    // clamps it into the operation's range and keeps the clamped value for
    // the next prompt. Nothing when the text starts with no number.
    std::optional<double> Take(PathOperation operation, const QString& typed);

private:
    double distance_ = 3.0;
    double range_ = 10;
    double gridSize_ = 5.0;
    double noiseLevel_ = 2.0;
};

}  // namespace plexion
