// Writes the fuzz target's seed corpus into the folder given as argument:
// one saved document per kind, one holding every kind, an empty one, and the
// composed documents of seed_raw.cpp.
#include <cstdio>
#include <exception>
#include <filesystem>

#include "all_kinds.h"
#include "resource_container.h"
#include "seed_documents.h"
#include "seed_raw.h"
#include "seed_writer.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    try {
        const std::filesystem::path folder = argv[1];
        std::filesystem::create_directories(folder);
        plexion::RegisterAllResourceKinds();
        plexion::CVKT_ResourceContainer empty;
        plexion_fuzz::WriteSavedSeed(empty, folder / "empty");
        plexion::CVKT_ResourceContainer everything;
        for (const plexion_fuzz::CSeedFiller& filler : plexion_fuzz::SeedFillers()) {
            plexion::CVKT_ResourceContainer document;
            filler.fill(document);
            plexion_fuzz::WriteSavedSeed(document, folder / filler.name);
            filler.fill(everything);
        }
        everything.SetName("Every kind");
        plexion_fuzz::WriteSavedSeed(everything, folder / "every_kind");
        plexion_fuzz::WriteComposedSeeds(folder);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make_seeds: %s\n", error.what());
        return 1;
    }
    return 0;
}
