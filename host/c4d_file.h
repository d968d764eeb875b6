// File names, directory browsing, container files and binary files.
#ifndef C4D_FILE_H__
#define C4D_FILE_H__

#include "c4d_abi_ids.h"
#include "c4d_string.h"
#include "ge_prepass.h"
#include "ge_sys_math.h"

class BaseContainer;

// A path, in the style of the system the module runs on: POSIX on Linux and
// macOS (parts joined with "/"); on Windows drive letters, network shares
// and either separator, parts joined with a backslash. The directory of a
// root ("/", "C:" and a backslash) is the empty Filename.
class Filename {
 public:
  Filename() {}
  Filename(const maxon::Char* string) : path_(string) {}
  Filename(const String& string) : path_(string) {}
  Filename(const Filename& src) : path_(src.path_) {}
  ~Filename() {}

  const Filename& operator=(const Filename& fname);

  // Joins two paths as parent and child.
  friend const Filename operator+(const Filename& fname1, const Filename& fname2);
  const Filename& operator+=(const Filename& fname);

  Bool operator==(const Filename& fname) const;
  Bool operator!=(const Filename& fname) const { return !(*this == fname); }

  Bool Content() const { return path_.Content(); }

  String GetString() const { return path_; }
  void SetString(const String& str) { path_ = str; }

  const Filename GetDirectory() const;
  void SetDirectory(const Filename& str);
  const Filename GetFile() const;
  void SetFile(const Filename& str);
  String GetFileString() const { return GetFile().GetString(); }

  // The text after the last "." of the last part, without the dot; empty
  // when there is none.
  String GetSuffix() const;
  // Replaces the suffix (without the dot); an empty str only removes it.
  void SetSuffix(const String& str);
  // Removes the suffix when it is at most seven characters long.
  void ClearSuffix();
  // Removes the suffix whatever its length.
  void ClearSuffixComplete();
  // Whether the suffix equals str, ignoring ASCII case.
  Bool CheckSuffix(const String& str) const;

  // Asks the user for a file or folder; on success this holds the choice.
  Bool FileSelect(FILESELECTTYPE type, FILESELECT flags, const String& title,
                  const String& force_suffix = String());

  Bool IsBrowserUrl() const;

  void CopyTo(Filename* dst) const {
    if (dst != nullptr) *dst = *this;
  }

 private:
  String path_;
};

#define BROWSEFILES_CALCSIZE 1
#define BROWSEFILES_SUPPRESSCACHING 2

// Iterates the entries of one folder, in the order the file system gives.
class BrowseFiles {
 public:
  static BrowseFiles* Alloc();
  static void Free(BrowseFiles*& bf);

  void Init(const Filename& directory, maxon::Int32 flags);
  // Moves to the next entry; call once before reading the first one.
  Bool GetNext();
  // Name of the current entry, without the browsed folder.
  Filename GetFilename();
  Bool IsDir();
  Bool IsHidden();
  Bool IsBundle();
  Bool IsReadOnly();
  // Size of a file; only valid with BROWSEFILES_CALCSIZE.
  maxon::Int64 GetSize();

 private:
  BrowseFiles();
  ~BrowseFiles();
};

// The host's own file format of typed values (container files).
class HyperFile {
 public:
  static HyperFile* Alloc();
  static void Free(HyperFile*& fl);

  Bool Open(maxon::Int32 ident, const Filename& filename, FILEOPEN mode, FILEDIALOG error_dialog);
  Bool Close();

  Bool WriteBool(Bool v);
  Bool ReadBool(Bool* v);
#ifdef C4D_API_R14
  Bool WriteLong(LONG v);
  Bool ReadLong(LONG* v);
  Bool WriteLLong(LLONG v);
  Bool ReadLLong(LLONG* v);
  Bool WriteReal(Real v);
  Bool ReadReal(Real* v);
#else
  Bool WriteInt32(Int32 v);
  Bool ReadInt32(Int32* v);
  Bool WriteInt64(Int64 v);
  Bool ReadInt64(Int64* v);
  Bool WriteFloat(Float v);
  Bool ReadFloat(Float* v);
#endif
  Bool WriteString(const String& v);
  Bool ReadString(String* v);
  Bool WriteFilename(const Filename& v);
  Bool ReadFilename(Filename* v);
  Bool WriteContainer(const BaseContainer& v);
  // flush: empty v first; otherwise the values read are merged into v.
  Bool ReadContainer(BaseContainer* v, Bool flush);

  FILEERROR GetError() const;
  void SetError(FILEERROR err);
  maxon::Int32 GetFileVersion() const;

 private:
  HyperFile();
  ~HyperFile();
};

// A binary file.
class BaseFile {
 public:
  static BaseFile* Alloc();
  // Closes the file if open.
  static void Free(BaseFile*& fl);

  Bool Open(const Filename& name, FILEOPEN mode = FILEOPEN_READ,
            FILEDIALOG error_dialog = FILEDIALOG_IGNOREOPEN, BYTEORDER order = BYTEORDER_MOTOROLA,
            maxon::Int32 type = MACTYPE_CINEMA, maxon::Int32 creator = MACCREATOR_CINEMA);
  Bool Close();

  // A 32-bit length N (in the file's byte order) and N bytes: the encoded
  // text and a zero. The text is UTF-8, in R14 builds ISO-8859-1.
  Bool WriteString(const String& v);
  Bool ReadString(String* v);
#ifdef C4D_API_R14
  Bool WriteLong(LONG v);
  Bool ReadLong(LONG* v);
#else
  Bool WriteInt32(Int32 v);
  Bool ReadInt32(Int32* v);
#endif
  Bool WriteBytes(const void* data, maxon::Int len);
  // Bytes read; with just_try_it a short read is not an error.
  maxon::Int ReadBytes(void* data, maxon::Int len, Bool just_try_it = false);
  maxon::Int TryReadBytes(void* data, maxon::Int len) { return ReadBytes(data, len, true); }
  Bool Seek(maxon::Int64 pos, FILESEEK mode = FILESEEK_RELATIVE);
  maxon::Int64 GetPosition();
  maxon::Int64 GetLength();
  FILEERROR GetError() const;
  void SetError(FILEERROR error);
  void SetOrder(BYTEORDER order);

 private:
  BaseFile();
  ~BaseFile();
};

#define C4D_PATH_PREFS C4D_FOLDER_PREFS
#define C4D_PATH_RESOURCE C4D_FOLDER_RESOURCE
#define C4D_PATH_LIBRARY C4D_FOLDER_LIBRARY
#define C4D_PATH_LIBRARY_USER C4D_FOLDER_LIBRARY_USER
#define C4D_PATH_ONLINE_HELP C4D_FOLDER_ONLINE_HELP
#define C4D_PATH_DESKTOP C4D_FOLDER_DESKTOP
#define C4D_PATH_HOME C4D_FOLDER_HOME
#define C4D_PATH_STARTUPWRITE C4D_FOLDER_STARTUPWRITE
#define C4D_PATH_MYDOCUMENTS C4D_FOLDER_MYDOCUMENTS
#define C4D_PATH_APPLICATION C4D_FOLDER_APPLICATION

Bool GeFExist(const Filename& name, Bool isdir = false);
Bool GeFCreateDir(const Filename& name);
Bool GeFKill(const Filename& name, maxon::Int32 flags = 0);

// The folder of this plug-in module; empty before system initialisation.
const Filename GeGetPluginPath();
#ifndef C4D_API_R14
// The folder the plug-in's resource set is loaded from.
Filename GeGetPluginResourcePath();
#endif
const Filename GeGetStartupPath();
const Filename GeGetStartupWritePath();
const Filename GeGetC4DPath(maxon::Int32 whichpath);

#endif  // C4D_FILE_H__
