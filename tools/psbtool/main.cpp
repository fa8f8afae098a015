// psbtool: builds PSB documents and data containers from JSON descriptions,
// and dumps documents (plain or in containers) back to JSON.
//
//   psbtool build DESCRIPTION.json OUT.psb
//   psbtool pack  INPUT OUT [--name FILE] [--key TEXT] [--stream-length N]
//   psbtool dump  INPUT [--name FILE] [--key TEXT] [--stream-length N]
//
// pack takes a JSON description (by its ".json" ending) or a PSB document.
// The key stream depends on the file's name as the game requests it: --name
// gives it when it differs from OUT's (or INPUT's) own name. The key and
// stream length default to the game's; --stream-length 0 packs unciphered.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/data/psb_fatal.h"
#include "engine/data/psb_object.h"
#include "tools/psbwriter/data_container.h"
#include "tools/psbwriter/json_description.h"
#include "tools/psbwriter/psb_writer.h"

namespace {

using Bytes = std::vector<uint8_t>;

const char kUsage[] =
    "usage: psbtool build DESCRIPTION.json OUT.psb\n"
    "       psbtool pack INPUT OUT [--name FILE] [--key TEXT] [--stream-length N]\n"
    "       psbtool dump INPUT [--name FILE] [--key TEXT] [--stream-length N]\n";

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "" : path.substr(0, slash);
}

bool endsWith(const std::string& text, const char* tail) {
    const size_t n = std::strlen(tail);
    return text.size() >= n && text.compare(text.size() - n, n, tail) == 0;
}

Bytes buildDocument(const std::string& descriptionPath) {
    const Bytes json = readFile(descriptionPath);
    const psbwriter::Description d =
        psbwriter::parseDescription(std::string(json.begin(), json.end()), folderOf(descriptionPath));
    return psbwriter::writePsb(d.root, d.options);
}

struct Arguments {
    std::vector<std::string> positional;
    std::map<std::string, std::string> options;
};

Arguments parseArguments(int argc, char** argv) {
    Arguments args;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.starts_with("--")) {
            if (i + 1 >= argc) throw UsageError(arg + " needs a value");
            args.options[arg] = argv[++i];
        } else {
            args.positional.push_back(arg);
        }
    }
    for (const auto& [name, value] : args.options) {
        if (name != "--name" && name != "--key" && name != "--stream-length") throw UsageError("unknown option " + name);
    }
    return args;
}

psbwriter::ContainerKey keyFrom(const Arguments& args) {
    psbwriter::ContainerKey key;
    if (auto it = args.options.find("--key"); it != args.options.end()) key.key = it->second;
    if (auto it = args.options.find("--stream-length"); it != args.options.end()) {
        char* end = nullptr;
        const unsigned long n = std::strtoul(it->second.c_str(), &end, 10);
        if (*end != '\0' || it->second.empty() || n > 0xFFFFFFFFul) throw UsageError("bad --stream-length");
        key.streamLength = uint32_t(n);
    }
    return key;
}

std::string nameFrom(const Arguments& args, const std::string& path) {
    const auto it = args.options.find("--name");
    return it != args.options.end() ? it->second : path;
}

// The signature the reader doesn't examine, but every document we write has:
// without it the file is no document at all, rather than a damaged one.
bool hasPsbSignature(const Bytes& bytes) { return bytes.size() >= 4 && std::memcmp(bytes.data(), "PSB", 4) == 0; }

// Damaged documents must give an error, not end the tool mid-dump.
void throwFatal(const char* message) { throw std::runtime_error(message); }

int run(int argc, char** argv) {
    if (argc < 2) throw UsageError("no command");
    const std::string command = argv[1];
    const Arguments args = parseArguments(argc, argv);
    const auto& in = args.positional;
    if (command == "build" && in.size() == 2 && args.options.empty()) {
        writeFile(in[1], buildDocument(in[0]));
    } else if (command == "pack" && in.size() == 2) {
        const Bytes document = endsWith(in[0], ".json") ? buildDocument(in[0]) : readFile(in[0]);
        writeFile(in[1], psbwriter::packContainer(document, keyFrom(args), nameFrom(args, in[1])));
    } else if (command == "dump" && in.size() == 1) {
        Bytes bytes = readFile(in[0]);
        if (psbwriter::isContainer(bytes)) {
            bytes = psbwriter::unpackContainer(bytes, keyFrom(args), nameFrom(args, in[0]));
            if (!hasPsbSignature(bytes)) throw std::runtime_error(in[0] + ": the data container holds no PSB document");
        } else if (!hasPsbSignature(bytes)) {
            throw std::runtime_error(in[0] + " is neither a PSB document nor a data container");
        }
        setPSBFatalHandler(throwFatal);
        auto* copy = static_cast<uint8_t*>(std::malloc(bytes.size() ? bytes.size() : 1));
        if (!copy) throw std::runtime_error("out of memory");
        if (!bytes.empty()) std::memcpy(copy, bytes.data(), bytes.size());
        const PSBObject document(copy, bytes.size());
        std::cout << psbwriter::describeDocument(document);
    } else {
        throw UsageError("bad arguments for " + command);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const UsageError& e) {
        std::cerr << "psbtool: " << e.what() << "\n" << kUsage;
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "psbtool: " << e.what() << (endsWith(e.what(), "\n") ? "" : "\n");
        return 1;
    }
}
