#pragma once
// JSON descriptions of PSB documents, read by the command-line tool and by
// content generators, and written back by its dump.
//
//   {"version": 3, "flags": 0, "root": VALUE}
//
// A VALUE is JSON null, true, false, an integer (an integer), any other
// number (a double), a string, an array (a list) or an object, or an object
// with one of these single keys:
//   {"$float": 1.5}          a single-precision float
//   {"$double": 2}           a double that JSON would read as an integer
//   {"$resource": "BASE64"}  resource bytes; "$extraResource" for version 4
//   {"$resourceFile": "a.bin"}, {"$extraResourceFile": "a.bin"}: bytes of a
//                            file, relative to the description's folder
//   {"$object": {...}}       an object that would itself read as one of these
// "$float" and "$double" also take the texts "nan", "inf", "-inf" and "-0".

#include <stdexcept>
#include <string>

#include "tools/psbwriter/psb_tree.h"
#include "tools/psbwriter/psb_writer.h"

class PSBObject;

namespace psbwriter {

struct Description {
    Value root;
    WriteOptions options;
};

struct DescriptionError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// `folder` is where "$resourceFile" paths are relative to.
Description parseDescription(const std::string& json, const std::string& folder);

// The description of a loaded document, pretty-printed. An extra resource in
// a document below version 4 (which has no such section) is a damaged
// document: DescriptionError.
std::string describeDocument(const PSBObject& document);

}  // namespace psbwriter
