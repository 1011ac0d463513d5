#include "query_commands.h"

#include <cstdio>
#include <string>

#include "bitmap_item.h"
#include "broken_references.h"
#include "document_session.h"
#include "kind_names.h"
#include "picture_decoding.h"
#include "standard_output.h"
#include "text_escape.h"
#include "text_item.h"
#include "tool_failure.h"

namespace plexion::tool {
namespace {

void ListGroup(const CVKT_ResourceContainer& resources, int kind) {
    const CVKT_ResourceGroup* group = resources.GroupAt(kind);
    for (int index = 0; index < group->Count(); ++index) {
        const CVKT_Resource* item = group->GetAt(index);
        PrintLine(KindName(kind) + '\t' + std::to_string(index) + '\t' + EscapeField(item->ID()) +
                  '\t' + EscapeField(item->Specifications()));
    }
}

// Reports every stored picture that does not decode; whether there was none.
bool EveryPictureDecodes(CDocumentSession& session) {
    session.DecodePictures();
    const CVKT_ResourceContainer& resources = session.Resources();
    bool clean = true;
    for (int index = 0; index < resources.Count<CVKT_Bitmap>(); ++index) {
        const CVKT_Bitmap& bitmap = *resources.GetAt<CVKT_Bitmap>(index);
        if (bitmap.GetKind() != CVKT_Bitmap::kKindImage || bitmap.SourceBytes().empty()) {
            continue;
        }
        // Decoded a moment ago, so this costs nothing but names the reason.
        const EDecodeProblem problem = DecodePictureOnce(bitmap.SourceBytes()).problem;
        if (problem != EDecodeProblem::None) {
            clean = false;
            std::fprintf(stderr, "plexion-tool: bitmap %d \"%s\" %s\n", index,
                         EscapeField(bitmap.ID()).c_str(),
                         problem == EDecodeProblem::TooMuchWork
                             ? "is damaged: it asks for more drawing than a picture may take"
                             : "is not a picture the codecs can read");
        }
    }
    return clean;
}

}  // namespace

int RunInfo(const CToolOptions& options) {
    CDocumentSession session(options);
    session.Open(options.arguments.at(0));
    const CVKT_ResourceContainer& resources = session.Resources();
    PrintLine("name: " + EscapeField(resources.GetName()));
    PrintLine("comments: " + EscapeField(resources.GetComments()));
    for (int kind = 0; kind < kKindCount; ++kind) {
        PrintLine(KindName(kind) + ": " + std::to_string(resources.GroupAt(kind)->Count()));
    }
    return kExitOk;
}

int RunList(const CToolOptions& options) {
    const auto kindText = options.Value("--kind");
    const int onlyKind = kindText ? ParseKind(*kindText) : -1;
    CDocumentSession session(options);
    session.Open(options.arguments.at(0));
    for (int kind = 0; kind < kKindCount; ++kind) {
        if (onlyKind < 0 || kind == onlyKind) {
            ListGroup(session.Resources(), kind);
        }
    }
    return kExitOk;
}

// A strict check fails a document that reads whole but warns.
constexpr int kExitWarnings = 1;

int RunCheck(const CToolOptions& options) {
    CDocumentSession session(options);
    session.Open(options.arguments.at(0));
    if (session.Resources().LastLoadStatus() != LoadStatus::Clean) {
        throw CToolFailure(kExitFileProblem, "");
    }
    if (options.Has("--pixels") && !EveryPictureDecodes(session)) {
        throw CToolFailure(kExitFileProblem, "");
    }
    // Frames and cells naming a missing bitmap draw nothing, but the file
    // itself is whole: they warn, and fail only a strict check.
    int warnings = 0;
    const CVKT_ResourceContainer& resources = session.Resources();
    for (const auto& found : {FindBrokenAnimationFrames(resources), FindBrokenMapCells(resources)}) {
        for (const SBrokenReference& broken : found) {
            std::string line = "warning: " + EscapeField(broken.message);
            if (broken.more > 0) {
                line += " (" + std::to_string(broken.more) + " more in this item)";
            }
            PrintLine(line);
            ++warnings;
        }
    }
    PrintLine("OK");
    return warnings > 0 && options.Has("--strict") ? kExitWarnings : kExitOk;
}

int RunExpand(const CToolOptions& options) {
    CDocumentSession session(options);
    session.Open(options.arguments.at(0));
    const std::string& id = options.arguments.at(1);
    const CVKT_ResourceContainer& resources = session.Resources();
    const auto* text = resources.GetAt<CVKT_Text>(resources.Find<CVKT_Text>(id));
    if (!text) {
        throw CToolFailure(kExitNoSuchItem, "no text with the ID \"" + EscapeField(id) + "\"");
    }
    PrintLine(text->ExpandedText(resources));
    return kExitOk;
}

}  // namespace plexion::tool
