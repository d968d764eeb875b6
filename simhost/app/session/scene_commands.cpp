// Commands that build and inspect the active document: objects, tags,
// selections, the whole listing, undo and redo.
#include "common/english_counts.h"
#include "session/scene_lookup.h"
#include "session/session.h"

namespace simhost_app {

namespace {

void RequireTypeInstalled(Session& session, int32_t type) {
  const simhost::ElementType* info = simhost::FindElementType(type);
  if (info && info->from_hdri_plugin && !session.host().HdriPluginInstalled()) {
    throw CommandError("the HDRI object plug-in is not installed in this host");
  }
}

// add KIND [NAME] [under PARENT]
void Add(Session& session, const Arguments& args) {
  const std::string usage = "add KIND [NAME] [under PARENT]";
  args.ExpectCount(1, 4, usage);
  const int32_t type = ExpectElementType(args[0], simhost::AtomKind::kObject);
  RequireTypeInstalled(session, type);
  size_t at = 1;
  std::string name;
  if (args.Count() > at && args[at] != "under") name = args[at++];
  simhost::Atom* parent = nullptr;
  if (args.Count() > at) {
    if (args[at] != "under" || args.Count() != at + 2) throw CommandError("usage: " + usage);
    parent = FindObject(session.document(), args[at + 1]);
  }
  simhost::Atom* object = session.document().AddObject(type, name, parent);
  if (!object) throw CommandError("the document refused the object");
  session.out() << "added " << object->Label() << (parent ? " under " + parent->Label() : "")
                << "\n";
}

// tag OBJECT hdri [MODE] [NAME] | tag OBJECT KIND [NAME]
void Tag(Session& session, const Arguments& args) {
  args.ExpectCount(2, 4, "tag OBJECT hdri [MODE] [NAME] | tag OBJECT KIND [NAME]");
  simhost::Atom* object = FindObject(session.document(), args[0]);
  const int32_t type = ExpectElementType(args[1], simhost::AtomKind::kTag);
  RequireTypeInstalled(session, type);
  simhost::Atom* tag = nullptr;
  if (type == simhost::type_id::kHdriTag) {
    int32_t mode = 0;
    size_t at = 2;
    if (args.Count() > at && ParseInt32(args[at], &mode)) ++at;
    if (args.Count() > at + 1) throw CommandError("usage: tag OBJECT hdri [MODE] [NAME]");
    tag = session.document().AddHdriTag(object, mode, args.Get(at));
  } else {
    args.ExpectCount(2, 3, "tag OBJECT KIND [NAME]");
    tag = session.document().AddTag(object, type, args.Get(2));
  }
  if (!tag) throw CommandError("the document refused the tag");
  session.out() << "added tag " << tag->Label() << " on " << object->Label() << "\n";
}

// Each name is an object, or a tag as OBJECT/TAG or by its own name.
void Select(Session& session, const Arguments& args) {
  args.ExpectCount(1, 1000, "select NAME... | select none");
  simhost::Document& document = session.document();
  std::vector<simhost::Atom*> objects;
  std::vector<simhost::Atom*> tags;
  if (!(args.Count() == 1 && args[0] == "none")) {
    for (size_t i = 0; i < args.Count(); ++i) {
      const bool object = HasObject(document, args[i]);
      if (object && HasTag(document, args[i])) {
        throw CommandError("\"" + args[i] + "\" names an object and a tag; write OBJECT/TAG");
      }
      if (object) {
        objects.push_back(FindObject(document, args[i]));
      } else {
        tags.push_back(FindTag(document, args[i]));
      }
    }
  }
  document.SelectObjects(objects);
  document.SelectTags(tags);
  session.out() << "selected "
                << Counted(static_cast<long long>(objects.size()), "object", "objects") << " and "
                << Counted(static_cast<long long>(tags.size()), "tag", "tags") << "\n";
}

void Scene(Session& session, const Arguments& args) {
  args.ExpectCount(0, 0, "scene");
  session.out() << session.document().Describe();
}

void PrintUndoState(Session& session) {
  const simhost::UndoStack& undo = session.document().Undo();
  session.out() << Counted(undo.UndoCount(), "step", "steps") << " to undo, " << undo.RedoCount()
                << " to redo\n";
}

void Undo(Session& session, const Arguments& args) {
  args.ExpectCount(0, 0, "undo");
  if (!session.document().Undo().Undo()) throw CommandError("nothing to undo");
  session.out() << "undone; ";
  PrintUndoState(session);
}

void Redo(Session& session, const Arguments& args) {
  args.ExpectCount(0, 0, "redo");
  if (!session.document().Undo().Redo()) throw CommandError("nothing to redo");
  session.out() << "redone; ";
  PrintUndoState(session);
}

}  // namespace

CommandGroup SceneCommands() {
  auto fixed = [](std::vector<std::string> words) { return [words](Session&) { return words; }; };
  auto names = [](Session& s) { return ElementNames(s.document()); };
  return {"The scene",
          {{"add", "KIND [NAME] [under PARENT]",
            "add an object (hdri, null, cube, sphere, light, camera or a type number)", Add,
            fixed(TypeKeywords(simhost::AtomKind::kObject))},
           {"tag", "OBJECT KIND [MODE] [NAME]",
            "add a tag (hdri with its mode, 2 = small variant; texture, display, annotation)", Tag,
            names},
           {"select", "NAME...|none",
            "select objects and tags (OBJECT/TAG), in this order, replacing the selection", Select,
            names},
           {"scene", "", "print the document: objects, tags, every value, selections, takes, undo",
            Scene, fixed({})},
           {"undo", "", "undo the last undo step", Undo, fixed({})},
           {"redo", "", "redo the last undone step", Redo, fixed({})}}};
}

}  // namespace simhost_app
