// halvir_content_gen: makes the game's resource folder and generated sources
// from the content folder. The build runs it (target halvir_content); the
// same content gives the same bytes.
//
//   halvir_content_gen --content DIR --resource DIR --generated DIR [--preview DIR]
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/content/content_modules.h"

namespace {

constexpr const char* kUsage =
    "usage: halvir_content_gen --content DIR --resource DIR --generated DIR [--preview DIR]\n";

bool parseArguments(int argc, char** argv, content::ContentFolders& folders) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--content") folders.content = argv[i + 1];
        else if (option == "--resource") folders.resource = argv[i + 1];
        else if (option == "--generated") folders.generated = argv[i + 1];
        else if (option == "--preview") folders.preview = argv[i + 1];
        else return false;
    }
    return argc % 2 == 1 && !folders.content.empty() && !folders.resource.empty() && !folders.generated.empty();
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    content::ContentFolders folders;
    if (!parseArguments(argc, argv, folders)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    content::ContentContext context(folders);
    const auto start = std::chrono::steady_clock::now();
    for (const content::ContentModule& module : content::contentModules()) {
        const auto moduleStart = std::chrono::steady_clock::now();
        try {
            module.run(context);
        } catch (const std::exception& error) {
            std::fprintf(stderr, "halvir_content_gen: %s: %s\n", module.name, error.what());
            return 1;
        }
        std::printf("halvir_content_gen: %s: %.2f s\n", module.name, secondsSince(moduleStart));
    }
    std::printf("halvir_content_gen: %zu files, %.1f MB of resources in %.2f s\n", context.filesWritten(),
                double(context.resourceBytes()) / 1e6, secondsSince(start));
    return 0;
}
