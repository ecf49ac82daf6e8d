#pragma once

#include <cstdint>
#include <string>

#include "editor_support/pindle_api.h"
#include "editor_support/registry/registry_store.h"

// Reads, writes and deletes single registry values. Each operation opens a key under a root, does
// one thing, tells the user about failures through Core's message hook (in Chinese) and closes
// the key again. Every operation returns 0 on success and 1 on failure. Sub-key paths name
// existing keys: a missing key is an open failure and is never created.
class PINDLE_API URegister {
 public:
  static constexpr uint32_t kValueBufferSize = 256;

  URegister() = default;

  // Queries the value into the value buffer, with its type and size. A value larger than the
  // buffer fails the query and leaves the buffer as it was.
  int ShowContent(HKEY root, const char* subKey, const char* valueName);
  // Writes `text` with its terminating zero as a string value.
  int SetValue_S(HKEY root, const char* subKey, const char* valueName, const unsigned char* text);
  // Writes the 4 bytes at `value` as a 32-bit number value.
  int SetValue_D(HKEY root, const char* subKey, const char* valueName, const int* value);
  // Writes the 4 bytes at `data` as a binary value.
  int SetValue_B(HKEY root, const char* subKey, const char* valueName, const unsigned char* data);
  // Deletes the key `keyName` below `subKey`; a key that still has sub-keys is not deleted.
  // Failures show no message.
  int DeleteKey(HKEY root, const char* subKey, const char* keyName);
  // Deletes the value; failures show no message.
  int DeleteValue(HKEY root, const char* subKey, const char* valueName);

  // The last value ShowContent found: its bytes (the buffer holds kValueBufferSize bytes), its
  // registry type (REG_SZ until a query succeeds) and its size in bytes.
  const unsigned char* GetValue() const { return m_Value; }
  uint32_t GetType() const { return m_Type; }
  uint32_t GetSize() const { return m_Size; }

 private:
  // Opens `subKey` under `root` when it exists; the open key is closed again by CloseKey.
  bool OpenKey(HKEY root, const char* subKey);
  void CloseKey();
  int WriteValue(HKEY root, const char* subKey, const char* valueName, uint32_t type,
                 const void* data, uint32_t size);

  // The open key: its root and path, valid while m_KeyOpen.
  HKEY m_Root = HKEY_CURRENT_USER;
  std::string m_Path;
  bool m_KeyOpen = false;

  unsigned char m_Value[kValueBufferSize] = {};
  uint32_t m_Type = REG_SZ;
  uint32_t m_Size = kValueBufferSize;
};
