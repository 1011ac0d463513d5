// plexion-dat-dump: prints a resource document as the JSON of
// `plexion-tool dump`, read by the game-side reader (engine/plexion_dat.hpp)
// alone, so the two readers can be held against each other.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "document_json.h"
#include "plexion_dat.hpp"
#include "plexion_version.h"
#include "text_escape.h"

namespace {

enum ExitCode : int { kExitOk = 0, kExitUsage = 1, kExitFileProblem = 2, kExitPassword = 3 };

constexpr const char* kUsage =
    "Usage: plexion-dat-dump [--accept-old-version] [--password PASSWORD] [--pretty] FILE\n"
    "Prints the document FILE as JSON, as \"plexion-tool dump\" does.\n"
    "  --accept-old-version  read a file of an older version\n"
    "  --password PASSWORD   the document's password, when it has one\n"
    "  --pretty              one member per line, indented\n"
    "Exit codes: 0 done, 1 wrong command line, 2 the file cannot be read or is\n"
    "damaged, 3 the password is missing or wrong.\n";

struct SOptions {
    std::vector<std::string> files;
    std::optional<std::string> password;
    bool acceptOldVersion = false;
    bool pretty = false;
    bool help = false;
    bool version = false;
};

int UsageError(const std::string& message) {
    std::fprintf(stderr, "plexion-dat-dump: %s\nTry \"plexion-dat-dump --help\".\n",
                 message.c_str());
    return kExitUsage;
}

// Returns the problem with the command line, or an empty text.
std::string Parse(int argc, char** argv, SOptions& options) {
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (optionsEnded || word.size() < 2 || word[0] != '-') {
            options.files.push_back(word);
        } else if (word == "--") {
            optionsEnded = true;
        } else if (word == "--help") {
            options.help = true;
        } else if (word == "--version") {
            options.version = true;
        } else if (word == "--accept-old-version") {
            options.acceptOldVersion = true;
        } else if (word == "--pretty") {
            options.pretty = true;
        } else if (word.rfind("--password=", 0) == 0) {
            options.password = word.substr(word.find('=') + 1);
        } else if (word == "--password") {
            if (i + 1 == argc) {
                return "option \"--password\" needs a value";
            }
            options.password = argv[++i];
        } else {
            return "unknown option \"" + word + "\"";
        }
    }
    return std::string();
}

int Dump(const std::string& file, const SOptions& options) {
    plexion_dat::SReadOptions readOptions;
    readOptions.acceptOldVersion = options.acceptOldVersion;
    const plexion_dat::SReadResult result =
        plexion_dat::ReadDocumentFile(file.c_str(), readOptions);
    if (result.status == plexion_dat::EStatus::kCannotOpen) {
        std::fprintf(stderr, "plexion-dat-dump: cannot open \"%s\"\n", file.c_str());
        return kExitFileProblem;
    }
    // A file of another version is read only when the options say so; the
    // question is shown either way.
    if (result.oldVersion) {
        std::fprintf(stderr, "%s %s\n",
                     plexion::tool::FoldLines(plexion_dat::StatusMessage(plexion_dat::EStatus::kOldVersion)).c_str(),
                     options.acceptOldVersion ? "Yes" : "No (--accept-old-version answers Yes)");
    }
    if (result.status != plexion_dat::EStatus::kOk &&
        result.status != plexion_dat::EStatus::kOldVersion) {
        std::fprintf(stderr, "%s\n", plexion::tool::FoldLines(result.message).c_str());
    }
    const std::string password = plexion_dat::DocumentPassword(result.document);
    if (!password.empty() && options.password != password) {
        if (options.password) {
            std::fprintf(stderr, "plexion-dat-dump: the password given for \"%s\" is wrong\n",
                         file.c_str());
        } else {
            std::fprintf(stderr,
                         "plexion-dat-dump: \"%s\" is protected by a password; give it with "
                         "--password\n",
                         file.c_str());
        }
        return kExitPassword;
    }
    if (!result.Ok()) {
        return kExitFileProblem;
    }
    const auto layout = options.pretty ? plexion::tool::CJsonWriter::Layout::Pretty
                                       : plexion::tool::CJsonWriter::Layout::Compact;
    std::printf("%s\n", plexion::dat_dump::DocumentJson(result.document, layout).c_str());
    return kExitOk;
}

}  // namespace

int main(int argc, char** argv) {
    SOptions options;
    const std::string problem = Parse(argc, argv, options);
    if (!problem.empty()) {
        return UsageError(problem);
    }
    if (options.help) {
        std::fputs(kUsage, stdout);
        return kExitOk;
    }
    if (options.version) {
        std::fputs("plexion-dat-dump (Plexion) " PLEXION_VERSION "\n", stdout);
        return kExitOk;
    }
    if (options.files.size() != 1) {
        return UsageError(options.files.empty() ? "no FILE given" : "give one FILE");
    }
    int code = Dump(options.files.front(), options);
    if (std::fflush(stdout) != 0 && code == kExitOk) {
        std::fputs("plexion-dat-dump: cannot write to standard output\n", stderr);
        code = kExitFileProblem;
    }
    return code;
}
