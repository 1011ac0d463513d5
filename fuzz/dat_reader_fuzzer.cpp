// Reads arbitrary bytes with the game-side reader and with the editor's, and
// stops on any difference in what they read: the status and message, the
// name and comments, and every group's items by ID. The first byte answers
// the old-version question (bit 0 set: Yes), as for the document fuzzer. The
// reader's helpers then run over what it read.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>

#include "all_kinds.h"
#include "message_presenter.h"
#include "plexion_dat.hpp"
#include "resource_container.h"
#include "resource_group.h"

namespace {

class CAnsweringPresenter final : public plexion::IMessagePresenter {
public:
    explicit CAnsweringPresenter(bool yes) : yes_(yes) {}
    plexion::MessageAnswer Show(const std::string& text, plexion::MessageIcon,
                                plexion::MessageButtons buttons) override {
        // The first: reports of items read as far as their data held
        // follow the message that ended the load.
        if (buttons == plexion::MessageButtons::Ok) {
            if (message.empty()) {
                message = text;
            }
            return plexion::MessageAnswer::Ok;
        }
        return yes_ ? plexion::MessageAnswer::Yes : plexion::MessageAnswer::No;
    }
    std::string message;

private:
    bool yes_;
};

[[noreturn]] void Differ(const std::string& what) {
    std::fprintf(stderr, "dat_reader_fuzzer: the readers differ: %s\n", what.c_str());
    std::abort();
}

template <typename T>
void CompareGroup(const plexion::CVKT_ResourceContainer& editor, int kind,
                  const std::vector<T>& game) {
    const plexion::CVKT_ResourceGroup& group = *editor.GroupAt(kind);
    if (static_cast<std::size_t>(group.Count()) != game.size()) {
        Differ("item count of kind " + std::to_string(kind));
    }
    for (std::size_t i = 0; i < game.size(); ++i) {
        const plexion::CVKT_Resource& item = *group.GetAt(static_cast<int>(i));
        if (item.ID() != game[i].id || item.Comments() != game[i].comments) {
            Differ("ID or comments of item " + std::to_string(i) + " of kind " +
                   std::to_string(kind));
        }
    }
}

void Compare(const plexion::CVKT_ResourceContainer& editor, const std::string& editorMessage,
             const plexion_dat::SReadResult& game) {
    if (editorMessage != (game.status == plexion_dat::EStatus::kOldVersion ? "" : game.message)) {
        Differ("message \"" + editorMessage + "\" against \"" + game.message + "\"");
    }
    if (editor.GetName() != game.document.name || editor.GetComments() != game.document.comments) {
        Differ("name or comments");
    }
    const plexion_dat::SDocument& d = game.document;
    CompareGroup(editor, 0, d.texts);
    CompareGroup(editor, 1, d.bitmaps);
    CompareGroup(editor, 2, d.sounds);
    CompareGroup(editor, 3, d.animations);
    CompareGroup(editor, 4, d.trajectories);
    CompareGroup(editor, 5, d.maps);
    CompareGroup(editor, 6, d.colors);
    CompareGroup(editor, 7, d.files);
}

// What a game does with a document; bounded, as inputs can hold many items.
void Play(const plexion_dat::SDocument& document) {
    constexpr std::size_t kItems = 4;
    for (std::size_t i = 0; i < document.texts.size() && i < kItems; ++i) {
        plexion_dat::ExpandedText(document, document.texts[i]);
    }
    for (std::size_t i = 0; i < document.animations.size() && i < kItems; ++i) {
        plexion_dat::CAnimationCursor cursor(&document.animations[i]);
        for (int step = 0; step < 64 && cursor.Advance(1.0); ++step) {
            if (const plexion_dat::SFrame* frame = cursor.Frame()) {
                document.FindBitmap(std::to_string(frame->bitmap));
            }
        }
    }
    for (std::size_t i = 0; i < document.trajectories.size() && i < kItems; ++i) {
        double t = 0.0;
        for (const double speed : {0.5, -3.25, 1e300}) {
            t = plexion_dat::NextParameter(document.trajectories[i], t, speed);
            plexion_dat::PositionAt(document.trajectories[i], t);
        }
    }
    for (const plexion_dat::SSound& sound : document.sounds) {
        plexion_dat::ReadOggStreamInfo(sound.ogg);
    }
    for (const plexion_dat::SMap& map : document.maps) {
        map.Cell(map.columns - 1, map.lines - 1);
    }
    plexion_dat::GameStepMilliseconds(document);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    plexion::RegisterAllResourceKinds();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const bool yes = (data[0] & 1) != 0;
    CAnsweringPresenter presenter(yes);
    plexion::CVKT_ResourceContainer editor(&presenter);
    editor.LoadFromBytes(std::span<const std::uint8_t>(data + 1, size - 1));
    plexion_dat::SReadOptions options;
    options.acceptOldVersion = yes;
    const plexion_dat::SReadResult game = plexion_dat::ReadDocument(data + 1, size - 1, options);
    // A game keeps what damaged region data holds without a word; the editor
    // reads the same and tells the user.
    const bool mended = editor.LastLoadStatus() == plexion::LoadStatus::Mended;
    Compare(editor, mended ? std::string() : presenter.message, game);
    Play(game.document);
    return 0;
}
