// Naming scene elements in commands: element types by keyword, objects and
// tags by name.
#pragma once

#include <string>
#include <vector>

#include "scene/document.h"

namespace simhost_app {

// The type a keyword (the first word of the type's name in lower case:
// hdri, null, cube, texture, ...) or a type number names, among the types of
// that kind. Throws CommandError listing the keywords.
int32_t ExpectElementType(const std::string& word, simhost::AtomKind kind);
std::vector<std::string> TypeKeywords(simhost::AtomKind kind);

// The one object with that name; throws when there is none or several.
simhost::Atom* FindObject(const simhost::Document& document, const std::string& name);
// A tag as "OBJECT/TAG" or by its name alone; throws when there is none or
// several.
simhost::Atom* FindTag(const simhost::Document& document, const std::string& reference);
// Whether a name would find an object or a tag.
bool HasObject(const simhost::Document& document, const std::string& name);
bool HasTag(const simhost::Document& document, const std::string& reference);

// Object and tag names, for Tab.
std::vector<std::string> ElementNames(const simhost::Document& document);

}  // namespace simhost_app
