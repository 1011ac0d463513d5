#include "recovery_offer.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QMessageBox>

#include <memory>

#include "main_frame.h"
#include "message_box_presenter.h"
#include "plexion_doc.h"
#include "recovery_folder.h"
#include "recovery_question.h"

namespace plexion {
namespace {

QString FromLocalPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

void ReportKept(CMainFrame& frame, const SLeftRecovery& copy, const QString& why) {
    QMessageBox::warning(
        &frame, MessageBoxTitle(),
        QStringLiteral("The recovery copy %1 %2. It is kept; File Open shows what it holds.")
            .arg(QDir::toNativeSeparators(FromLocalPath(copy.dataPath)), why));
}

void Recover(CMainFrame& frame, CRecoveryFolder& folder, const SLeftRecovery& copy) {
    auto document = std::make_unique<CPlexionDoc>();
    document->SetDialogParent(&frame);
    switch (document->OnOpenRecoveryCopy(FromLocalPath(copy.dataPath), *copy.info)) {
    case CPlexionDocCore::OpenOutcome::Opened:
        break;
    case CPlexionDocCore::OpenOutcome::PasswordRefused:
        return;
    case CPlexionDocCore::OpenOutcome::NotFound:
        ReportKept(frame, copy, QStringLiteral("cannot be read"));
        return;
    case CPlexionDocCore::OpenOutcome::Damaged:
        ReportKept(frame, copy, QStringLiteral("is damaged"));
        return;
    }
    frame.AddRecoveredDocument(std::move(document), folder.Adopt(copy));
}

}  // namespace

void OfferLeftRecoveries(CMainFrame& frame, CRecoveryFolder& folder, const QString& root) {
    const CLeftRecoveries left(QFile::encodeName(root).toStdString());
    for (const SLeftRecovery& copy : left.Copies()) {
        if (!copy.info) {
            ReportKept(frame, copy, QStringLiteral("does not say which document it belongs to"));
            continue;
        }
        const QString original = FromLocalPath(copy.info->originalPath);
        const QString document = original.isEmpty() ? QString::fromStdString(copy.info->title)
                                                    : QDir::toNativeSeparators(original);
        switch (AskToRecover(&frame, document,
                             QDateTime::fromSecsSinceEpoch(copy.info->writtenAt))) {
        case RecoveryAnswer::Recover:
            Recover(frame, folder, copy);
            break;
        case RecoveryAnswer::Discard:
            CLeftRecoveries::Discard(copy);
            break;
        case RecoveryAnswer::Later:
            break;
        }
    }
}

}  // namespace plexion
