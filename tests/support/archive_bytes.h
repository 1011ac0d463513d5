#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "archive.h"
#include "message_presenter.h"

namespace plexion::test {

// The bytes `write` puts through a storing archive.
std::vector<std::uint8_t> ArchiveBytes(const std::function<void(CArchive&)>& write);

// The header of a version-3 document with the given name and comments.
void WriteDocumentHeader(CArchive& archive, const std::string& name = "N",
                         const std::string& comments = "C", std::int32_t version = 3);
// A chunk header: separator, scrambled tag, three words and the count.
void WriteChunkHeader(CArchive& archive, const std::string& tag, std::int32_t count);
// The common item header.
void WriteItemHeader(CArchive& archive, const std::string& id, const std::string& comments = "");

// Remembers every message and answers questions with a fixed answer.
class CRecordingPresenter : public IMessagePresenter {
public:
    explicit CRecordingPresenter(MessageAnswer questionAnswer = MessageAnswer::No)
        : answer_(questionAnswer) {}
    MessageAnswer Show(const std::string& text, MessageIcon, MessageButtons buttons) override {
        messages.push_back(text);
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : answer_;
    }
    std::vector<std::string> messages;

private:
    MessageAnswer answer_;
};

}  // namespace plexion::test
