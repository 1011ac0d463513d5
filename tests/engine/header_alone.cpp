// Compiled with nothing but the header on the include path, as a game would:
// every part of the header is used once so that all of it is compiled.
#include "plexion_dat.hpp"

int main(int argc, char** argv) {
    const plexion_dat::SReadResult result =
        argc > 1 ? plexion_dat::ReadDocumentFile(argv[1]) : plexion_dat::ReadDocument(nullptr, 0);
    const plexion_dat::SDocument& document = result.document;
    int sum = plexion_dat::GameStepMilliseconds(document);
    sum += static_cast<int>(plexion_dat::ExpandText(document, "[a]").size());
    sum += static_cast<int>(plexion_dat::DocumentPassword(document).size());
    if (const plexion_dat::SAnimation* animation = document.FindAnimation("walk")) {
        plexion_dat::CAnimationCursor cursor(animation);
        cursor.Advance(1.0);
        sum += cursor.Frame() ? cursor.Frame()->bitmap : 0;
    }
    if (const plexion_dat::STrajectory* path = document.FindTrajectory("path")) {
        const double t = plexion_dat::NextParameter(*path, 0.0, 1.0);
        sum += static_cast<int>(plexion_dat::PositionAt(*path, t).x);
    }
    for (const plexion_dat::SSound& sound : document.sounds) {
        sum += plexion_dat::ReadOggStreamInfo(sound.ogg).channels;
    }
    for (const plexion_dat::SBitmap& bitmap : document.bitmaps) {
        sum += bitmap.RegionBounds().right;
    }
    for (const plexion_dat::SMap& map : document.maps) {
        sum += map.Cell(0, 0);
    }
    sum += document.FindText("t") && document.FindBitmap("b") && document.FindSound("s") &&
           document.FindMap("m") && document.FindColor("c") && document.FindFile("f");
    return result.Ok() ? sum & 1 : static_cast<int>(result.message.size() & 1);
}
