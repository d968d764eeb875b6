/*
 * c4d_abi_files.h: the file area of the function table: paths, folder
 * selection, directory listing, host container files (HyperFile) and binary
 * files (BaseFile).
 */
#ifndef C4D_ABI_FILES_H__
#define C4D_ABI_FILES_H__

#include "c4d_abi_types.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct c4d_file_api {
  uint32_t size; /* sizeof(c4d_file_api) as the host built it */
  c4d_bool (*exists)(const char* path, c4d_bool is_directory);
  c4d_bool (*create_directory)(const char* path);
  c4d_bool (*kill)(const char* path, int32_t flags); /* deletes a file or folder */
  /* Folder or file selection; sink receives the chosen path, and only when
   * the user chose one. Returns 0 when the user cancelled. type:
   * FILESELECTTYPE, mode: FILESELECT. */
  c4d_bool (*select)(int32_t type, int32_t mode, const char* title, const char* force_suffix,
                     c4d_text_sink sink, void* ctx);

  /* Directory iteration (BrowseFiles). dir_alloc hands ownership to the
   * caller, who frees with dir_free. Entries come in the order the file
   * system returns them; the entry calls describe the entry dir_next last
   * moved to. */
  c4d_dir* (*dir_alloc)(void);
  void (*dir_free)(c4d_dir* dir);
  void (*dir_init)(c4d_dir* dir, const char* path, int32_t flags); /* restarts the listing */
  c4d_bool (*dir_next)(c4d_dir* dir);                              /* 0 after the last entry */
  /* The entry's name (not its path) through sink; an empty text without one. */
  void (*dir_name)(c4d_dir* dir, c4d_text_sink sink, void* ctx);
  c4d_bool (*dir_is_dir)(c4d_dir* dir);
  c4d_bool (*dir_is_hidden)(c4d_dir* dir);
  c4d_bool (*dir_is_read_only)(c4d_dir* dir);
  int64_t (*dir_size)(c4d_dir* dir); /* bytes */

  /* Host container files (HyperFile). hf_alloc hands ownership to the
   * caller, who frees with hf_free (which discards an unfinished write). */
  c4d_hyperfile* (*hf_alloc)(void);
  void (*hf_free)(c4d_hyperfile* file);
  /* mode: FILEOPEN; ident must match the one the file was written with.
   * error_dialog: FILEDIALOG, whether the host shows failures itself. */
  c4d_bool (*hf_open)(c4d_hyperfile* file, int32_t ident, const char* path, int32_t mode,
                      int32_t error_dialog);
  c4d_bool (*hf_close)(c4d_hyperfile* file); /* a write reaches the disk here */
  /* Writes or reads one typed value; the kind read must match the kind
   * written, else the read fails and sets the file's error. value is copied.
   * Text or a container read into out belongs to the file and stays valid
   * until the next read or hf_free. */
  c4d_bool (*hf_write)(c4d_hyperfile* file, const c4d_value* value);
  c4d_bool (*hf_read)(c4d_hyperfile* file, int32_t expected_type, c4d_value* out);
  int32_t (*hf_get_error)(const c4d_hyperfile* file); /* FILEERROR */
  void (*hf_set_error)(c4d_hyperfile* file, int32_t error);
  int32_t (*hf_get_file_version)(const c4d_hyperfile* file);

  /* Binary files (BaseFile). bf_alloc hands ownership to the caller, who
   * frees with bf_free (which closes). */
  c4d_file* (*bf_alloc)(void);
  void (*bf_free)(c4d_file* file);
  /* mode: FILEOPEN; error_dialog: FILEDIALOG; byte_order: BYTEORDER for the
   * int32 calls; type and creator: file type codes the host may ignore. */
  c4d_bool (*bf_open)(c4d_file* file, const char* path, int32_t mode, int32_t error_dialog,
                      int32_t byte_order, int32_t type, int32_t creator);
  c4d_bool (*bf_close)(c4d_file* file);
  c4d_bool (*bf_write_bytes)(c4d_file* file, const void* data, int64_t length);
  /* Reads up to length bytes into data (the caller's, at least length
   * bytes); returns how many were read. With just_try a short read is no
   * error. */
  int64_t (*bf_read_bytes)(c4d_file* file, void* data, int64_t length, c4d_bool just_try);
  /* 32-bit integers in the byte order the file was opened with. */
  c4d_bool (*bf_write_int32)(c4d_file* file, int32_t value);
  c4d_bool (*bf_read_int32)(c4d_file* file, int32_t* value);           /* value required */
  c4d_bool (*bf_seek)(c4d_file* file, int64_t position, int32_t mode); /* mode: FILESEEK */
  int64_t (*bf_get_position)(c4d_file* file);
  int64_t (*bf_get_length)(c4d_file* file);
  int32_t (*bf_get_error)(const c4d_file* file); /* FILEERROR */
  void (*bf_set_error)(c4d_file* file, int32_t error);
  void (*bf_set_order)(c4d_file* file, int32_t byte_order);
} c4d_file_api;

#ifdef __cplusplus
}
#endif

#endif /* C4D_ABI_FILES_H__ */
