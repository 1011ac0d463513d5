#include "trajectory_path_commands.h"

#include <QAction>
#include <QMenu>
#include <QMessageBox>

#include <array>

#include "grid_number_text.h"
#include "message_box_presenter.h"

namespace plexion {
namespace {

struct CCommandEntry {
    int offset;
    const char* text;
    const char* statusText;
};

constexpr std::array<CCommandEntry, 7> kEntries = {{
    {kRemoveAllPointsCommand, "&Remove All Points", "Clear the entire trajectory path !"},
    {kResamplePointsCommand, "Res&ample Points...", "Resample the trajectory path"},
    {kSmoothPointsCommand, "&Smooth Points...", "Smooth the trajectory path"},
    {kQuantifyPointsCommand, "&Quantify Points...", "Quantify the trajectory path"},
    {kAddNoiseCommand, "Add &Noise to Points...", "Add noise to the trajectory path"},
    {kConvertToRegionCommand, "Convert Trajectories to Re&gion",
     "Convert the selected trajectories to a region"},
    {kUpdateCenterOfMassCommand, "Update Center of &Mass", "Recalculate the center of mass"},
}};

struct CPromptText {
    PathOperation operation;
    const char* caption;
    const char* label;
};

constexpr std::array<CPromptText, 4> kPrompts = {{
    {PathOperation::Resample, "Resample", "Distance Between Points (0.01 to 10000)"},
    {PathOperation::Smooth, "Smooth", "Smooth Range in Nb of Values (2 to 10000)"},
    {PathOperation::Quantify, "Quantify", "Quantify Grid Size (0.001 to 10000)"},
    {PathOperation::AddNoise, "Add Noise", "Noise Level (0.0001 to 10000)"},
}};

const CPromptText* PromptOf(PathOperation operation) {
    for (const CPromptText& prompt : kPrompts) {
        if (prompt.operation == operation) {
            return &prompt;
        }
    }
    return nullptr;
}

}  // namespace

std::optional<PathOperation> OperationOfCommand(int offset) {
    switch (offset) {
        case kRemoveAllPointsCommand:
            return PathOperation::RemoveAll;
        case kResamplePointsCommand:
            return PathOperation::Resample;
        case kSmoothPointsCommand:
            return PathOperation::Smooth;
        case kQuantifyPointsCommand:
            return PathOperation::Quantify;
        case kAddNoiseCommand:
            return PathOperation::AddNoise;
        default:
            return std::nullopt;
    }
}

QString CommandStepLabel(int offset) {
    for (const CCommandEntry& entry : kEntries) {
        if (entry.offset == offset) {
            QString text = QString::fromLatin1(entry.text).remove(QLatin1Char('&'));
            if (text.endsWith(QStringLiteral("..."))) {
                text.chop(3);
            }
            return text;
        }
    }
    return {};
}

void AddTrajectoryCommands(QMenu* menu, int firstId, bool enabled) {
    for (const CCommandEntry& entry : kEntries) {
        if (entry.offset == kConvertToRegionCommand || entry.offset == kUpdateCenterOfMassCommand) {
            menu->addSeparator();
        }
        QAction* action = menu->addAction(QString::fromLatin1(entry.text));
        action->setData(firstId + entry.offset);
        action->setStatusTip(QString::fromLatin1(entry.statusText));
        action->setEnabled(enabled);
    }
}

void TellNotANumber(QWidget* parent, const QString& typed) {
    QMessageBox::warning(parent, MessageBoxTitle(),
                         QStringLiteral("\"%1\" is not a number: nothing was changed.").arg(typed));
}

QString CPathPromptValues::Caption(PathOperation operation) {
    const CPromptText* prompt = PromptOf(operation);
    return prompt != nullptr ? QString::fromLatin1(prompt->caption) : QString();
}

QString CPathPromptValues::Label(PathOperation operation) {
    const CPromptText* prompt = PromptOf(operation);
    return prompt != nullptr ? QString::fromLatin1(prompt->label) : QString();
}

QString CPathPromptValues::Text(PathOperation operation) const {
    switch (operation) {
        case PathOperation::Resample:
            return QString::asprintf("%.2f", distance_);
        case PathOperation::Smooth:
            return QString::asprintf("%d", static_cast<int>(range_));
        case PathOperation::Quantify:
            return QString::asprintf("%.3f", gridSize_);
        case PathOperation::AddNoise:
            return QString::asprintf("%.4f", noiseLevel_);
        case PathOperation::RemoveAll:
            break;
    }
    return {};
}

std::optional<double> CPathPromptValues::Take(PathOperation operation, const QString& typed) {
    if (operation == PathOperation::RemoveAll || !StartsWithDecimalNumber(typed)) {
        return std::nullopt;
    }
    const double value =
        operation == PathOperation::Smooth ? DecimalPrefixInt(typed) : DecimalPrefixReal(typed);
    double& slot = operation == PathOperation::Resample   ? distance_
                   : operation == PathOperation::Smooth   ? range_
                   : operation == PathOperation::Quantify ? gridSize_
                                                          : noiseLevel_;
    slot = ClampPathValue(operation, value);
    return slot;
}

}  // namespace plexion
