#pragma once

#include <QString>

#include <chrono>

namespace plexion {

// How often a modified document gets its recovery copy: the user's choice,
// kept in the settings store beside the recent files. Stored in seconds;
// GUI Settings offers whole minutes.
class CAutosaveSetting {
public:
    static constexpr std::chrono::seconds kDefault{120};

    CAutosaveSetting(QString organization, QString application);

    // The stored period, the default when none is stored; zero is off.
    std::chrono::seconds Load() const;
    void Store(std::chrono::seconds period) const;

private:
    QString organization_;
    QString application_;
};

// A period in whole minutes, rounded up so that a short one stays on.
int WholeMinutes(std::chrono::seconds period);

}  // namespace plexion
