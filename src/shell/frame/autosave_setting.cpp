#include "autosave_setting.h"

#include <QSettings>

#include <utility>

namespace plexion {
namespace {

constexpr const char* kKey = "Recovery/AutosaveSeconds";

}  // namespace

CAutosaveSetting::CAutosaveSetting(QString organization, QString application)
    : organization_(std::move(organization)), application_(std::move(application)) {}

std::chrono::seconds CAutosaveSetting::Load() const {
    const QSettings settings(organization_, application_);
    bool valid = false;
    const qlonglong seconds = settings.value(QString::fromLatin1(kKey)).toLongLong(&valid);
    return valid && seconds >= 0 ? std::chrono::seconds(seconds) : kDefault;
}

void CAutosaveSetting::Store(std::chrono::seconds period) const {
    QSettings settings(organization_, application_);
    settings.setValue(QString::fromLatin1(kKey), static_cast<qlonglong>(period.count()));
}

int WholeMinutes(std::chrono::seconds period) {
    return static_cast<int>((period.count() + 59) / 60);
}

}  // namespace plexion
