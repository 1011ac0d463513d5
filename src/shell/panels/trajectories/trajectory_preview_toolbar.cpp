#include "trajectory_preview_toolbar.h"

#include <QHBoxLayout>

#include "edit_value_dialog.h"
#include "grid_number_text.h"
#include "trajectory_path_commands.h"
#include "trajectory_preview.h"
#include "trajectory_toolbar_images.h"

namespace plexion {
namespace {

using Kind = CToolButton::Kind;

constexpr int kPlaySpeedWidth = 38;
constexpr double kPercent = 100.0;
constexpr double kPercentStep = 0.01;

}  // namespace

CTrajectoryPreviewToolbar::CTrajectoryPreviewToolbar(CTrajectoryPreview& preview, QWidget* parent)
    : QWidget(parent), preview_(preview) {
    setAutoFillBackground(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    connect(
        AddButton("MoveViewOrigin", "ToolBarMoveToOrigin", "Move view to origin 0x 0y", Kind::Push),
        &CToolButton::clicked, &preview_, &CTrajectoryPreview::MoveViewToOrigin);
    connect(AddButton("MoveView", "ToolBarMoveView", "Move view", Kind::Drag),
            &CToolButton::dragged, &preview_,
            [this](QPoint delta) { preview_.MoveViewBy(-delta.x(), -delta.y()); });
    connect(AddButton("MoveViewMode", "ToolBarMoveViewMode",
                      "Move the view with the mouse instead of drawing points", Kind::Toggle),
            &CToolButton::toggled, &preview_, [this](bool on) {
                preview_.SetMouseMode(on ? CTrajectoryPreview::kMoveViewMode
                                         : CTrajectoryPreview::kDrawMode);
            });
    connect(AddButton("MoveViewCenterTrajectory", "ToolBarCenterContentsInView",
                      "Center the trajectory path in the display", Kind::Push),
            &CToolButton::clicked, &preview_, &CTrajectoryPreview::CenterTrajectory);
    connect(AddButton("MoveViewCenterObject", "ToolBarCenterObjectInView",
                      "Center the moving object in the display", Kind::Toggle),
            &CToolButton::toggled, &preview_, &CTrajectoryPreview::SetFollowFlag);
    connect(AddButton("HideTrajectory", "ToolBarHideTrajectory",
                      "Hide the drawing of the trajectory path", Kind::Toggle),
            &CToolButton::toggled, &preview_, &CTrajectoryPreview::SetHideFlag);
    CToolButton* speed =
        AddButton("PlaySpeed", "ToolBarPlayValue", "Change the play speed", Kind::Drag);
    speed->SetMinimumButtonWidth(kPlaySpeedWidth);
    connect(speed, &CToolButton::dragged, &preview_, [this](QPoint delta) {
        spacedSpeedText_ = true;
        preview_.DragPlaySpeed(delta.y());
    });
    connect(AddButton("SetPlaySpeed", "ToolBarPlay", "Set the play speed", Kind::Push),
            &CToolButton::clicked, this, &CTrajectoryPreviewToolbar::AskPlaySpeed);
    connect(AddButton("ChoseBmpBackground", "ToolBarBackgroundBitmap",
                      "Chose the background object's bitmap", Kind::Push),
            &CToolButton::clicked, &preview_, &CTrajectoryPreview::ChooseBackground);
    connect(AddButton("ChoseBmpObject", "ToolBarObjectBitmap", "Chose the moving object's bitmap",
                      Kind::Push),
            &CToolButton::clicked, &preview_, &CTrajectoryPreview::ChooseObject);
    layout->addStretch(1);

    connect(&preview_, &CTrajectoryPreview::viewStateChanged, this,
            &CTrajectoryPreviewToolbar::ShowViewState);
    ShowViewState();
}

CToolButton* CTrajectoryPreviewToolbar::AddButton(const char* name, const char* image,
                                                  const char* tooltip, Kind kind) {
    auto* button = new CToolButton(kind, TrajectoryToolbarImage(image), this);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(QString::fromLatin1(tooltip));
    layout()->addWidget(button);
    return button;
}

CToolButton* CTrajectoryPreviewToolbar::Button(const QString& name) const {
    return findChild<CToolButton*>(name, Qt::FindDirectChildrenOnly);
}

QSize CTrajectoryPreviewToolbar::sizeHint() const {
    return QSize(QWidget::sizeHint().width(),
                 Button(QStringLiteral("PlaySpeed"))->sizeHint().height());
}

void CTrajectoryPreviewToolbar::AskPlaySpeed() {
    const QString previous = QString::asprintf("%.2f", preview_.PlaySpeed() * kPercent);
    CEditValueOptions options;
    options.sectionTitle = QStringLiteral("Play Speed in Percentage (-10000 to 10000)");
    const std::optional<QString> typed =
        EditValueDialog(this, QStringLiteral("Set Play Speed"), previous, options);
    if (!typed) {
        return;
    }
    if (!StartsWithDecimalNumber(*typed)) {
        TellNotANumber(this, *typed);
        return;
    }
    spacedSpeedText_ = false;
    preview_.SetPlaySpeed(DecimalPrefixReal(*typed) * kPercentStep);
}

void CTrajectoryPreviewToolbar::ShowViewState() {
    const QString speed = QString::asprintf(spacedSpeedText_ ? "%.2f %%  " : "%.2f %%",
                                            preview_.PlaySpeed() * kPercent);
    Button(QStringLiteral("PlaySpeed"))->setText(speed);
    const QSignalBlocker mode(Button(QStringLiteral("MoveViewMode")));
    Button(QStringLiteral("MoveViewMode"))
        ->setChecked(preview_.MouseMode() == CTrajectoryPreview::kMoveViewMode);
    const QSignalBlocker follow(Button(QStringLiteral("MoveViewCenterObject")));
    Button(QStringLiteral("MoveViewCenterObject"))->setChecked(preview_.FollowFlag());
    const QSignalBlocker hide(Button(QStringLiteral("HideTrajectory")));
    Button(QStringLiteral("HideTrajectory"))->setChecked(preview_.HideFlag());
}

}  // namespace plexion
