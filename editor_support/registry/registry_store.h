#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "editor_support/pindle_api.h"

// The root keys of the registry. Each root is a store of its own.
enum HKEY : int32_t {
  HKEY_CLASSES_ROOT = 0,
  HKEY_CURRENT_USER = 1,
  HKEY_LOCAL_MACHINE = 2,
  HKEY_USERS = 3,
  HKEY_CURRENT_CONFIG = 4,
};

// Value types, numbered as the registry numbers them.
constexpr uint32_t REG_SZ = 1;
constexpr uint32_t REG_BINARY = 3;
constexpr uint32_t REG_DWORD = 4;

// What stands in for the registry: a tree of keys under each root, each key holding named values
// (a type and bytes). A key exists only once CreateKey made it; nothing else creates keys. Key
// paths separate their parts with '\'; key and value names are bytes, compared without regard to
// the case of ASCII letters. Each root lives in one settings file in GetDirectory(), written
// through at once, so values outlive the process as registry values do.
class PINDLE_API URegistryStore {
 public:
  // The folder that holds the roots' files (UTF-8). Until SetDirectory is called it is
  // "Quillet/registry" under the user's configuration folder.
  static void SetDirectory(const std::string& directory);
  static std::string GetDirectory();

  explicit URegistryStore(HKEY root);

  // True for the root itself (an empty path) and for every key created and not deleted.
  bool KeyExists(const char* path) const;
  // Creates the key and any missing keys above it. Returns false for an unknown root.
  bool CreateKey(const char* path);
  // Deletes the key with its values. Returns false when it does not exist, is the root, or still
  // has sub-keys (as the registry refuses to delete those).
  bool DeleteKey(const char* path);

  // Copies the value's type and bytes out. Returns false when the key or the value is missing.
  bool QueryValue(const char* path, const char* name, uint32_t* type,
                  std::vector<unsigned char>* data) const;
  // Creates or replaces the value. Returns false, storing nothing, when the key does not exist.
  bool SetValue(const char* path, const char* name, uint32_t type, const void* data, size_t size);
  // Returns false when the key or the value does not exist.
  bool DeleteValue(const char* path, const char* name);

 private:
  std::string FilePath() const;

  HKEY m_Root;
};
