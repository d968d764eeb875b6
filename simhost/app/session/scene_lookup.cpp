#include "session/scene_lookup.h"

#include <cctype>

#include "session/command_line.h"

namespace simhost_app {

namespace {

std::string Keyword(const simhost::ElementType& type) {
  std::string word = type.name.substr(0, type.name.find(' '));
  for (char& c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return word;
}

std::vector<simhost::Atom*> TagsNamed(const simhost::Document& document,
                                      const std::string& reference) {
  std::string owner_name;
  std::string tag_name = reference;
  const size_t slash = reference.find('/');
  if (slash != std::string::npos) {
    owner_name = reference.substr(0, slash);
    tag_name = reference.substr(slash + 1);
  }
  std::vector<simhost::Atom*> found;
  for (simhost::Atom* object : document.AllObjects()) {
    if (!owner_name.empty() && object->Name() != owner_name) continue;
    for (simhost::Atom* tag : object->Tags().Items()) {
      if (tag->Name() == tag_name) found.push_back(tag);
    }
  }
  return found;
}

std::vector<simhost::Atom*> ObjectsNamed(const simhost::Document& document,
                                         const std::string& name) {
  std::vector<simhost::Atom*> found;
  for (simhost::Atom* object : document.AllObjects()) {
    if (object->Name() == name) found.push_back(object);
  }
  return found;
}

simhost::Atom* TheOne(const std::vector<simhost::Atom*>& found, const std::string& what,
                      const std::string& name) {
  if (found.empty()) throw CommandError("no " + what + " \"" + name + "\"");
  if (found.size() > 1) {
    throw CommandError(std::to_string(found.size()) + " " + what + "s are named \"" + name +
                       "\"; give them names of their own");
  }
  return found[0];
}

}  // namespace

std::vector<std::string> TypeKeywords(simhost::AtomKind kind) {
  std::vector<std::string> words;
  for (const simhost::ElementType& type : simhost::ElementTypes()) {
    if (type.kind == kind) words.push_back(Keyword(type));
  }
  return words;
}

int32_t ExpectElementType(const std::string& word, simhost::AtomKind kind) {
  int32_t number = 0;
  const bool numeric = ParseInt32(word, &number);
  for (const simhost::ElementType& type : simhost::ElementTypes()) {
    if (type.kind != kind) continue;
    if (numeric ? type.type == number : SameText(Keyword(type), word)) return type.type;
  }
  std::string list;
  for (const std::string& keyword : TypeKeywords(kind))
    list += (list.empty() ? "" : ", ") + keyword;
  throw CommandError("unknown type \"" + word + "\"; known: " + list);
}

simhost::Atom* FindObject(const simhost::Document& document, const std::string& name) {
  return TheOne(ObjectsNamed(document, name), "object", name);
}

simhost::Atom* FindTag(const simhost::Document& document, const std::string& reference) {
  return TheOne(TagsNamed(document, reference), "tag", reference);
}

bool HasObject(const simhost::Document& document, const std::string& name) {
  return !ObjectsNamed(document, name).empty();
}

bool HasTag(const simhost::Document& document, const std::string& reference) {
  return !TagsNamed(document, reference).empty();
}

std::vector<std::string> ElementNames(const simhost::Document& document) {
  std::vector<std::string> names;
  for (simhost::Atom* object : document.AllObjects()) {
    names.push_back(object->Name());
    for (simhost::Atom* tag : object->Tags().Items()) {
      names.push_back(object->Name() + "/" + tag->Name());
    }
  }
  return names;
}

}  // namespace simhost_app
