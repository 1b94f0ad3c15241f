#ifndef KelCldFieldData_h
#define KelCldFieldData_h
// Storage of the attribute fields of one kind of element: one contiguous buffer holding one
// equally sized field per element, handed out by field number.
//
// - A field number travels as the opaque per-element handle KelCldAttribute*: handle value k
//   is field k (from 1), null means no field. FieldHandle / FieldNumber convert.
// - Numbers are never renumbered: a freed number is handed out again, most recently freed
//   first. Neither a new nor a reused field is cleared.
// - The buffer grows 32768 bytes at a time as fields are added, and exactly to the need when
//   the field size grows. A field pointer is valid until the next AddField, SetSizeOfField
//   or Reserve.
// - Copying gives an empty store; assigning to a store leaves it as it was.

#include <cstdint>

#include "KelBaseUnknown.h"
#include "KelRawColl.h"

class KelCldAttribute;

class KelCldFieldData : public KelBaseUnknown {
  KelDeclareClass

public:
  KelCldFieldData() = default;
  KelCldFieldData(const KelCldFieldData& iOther);
  KelCldFieldData& operator=(const KelCldFieldData&) { return *this; }
  ~KelCldFieldData() override;

  static KelCldAttribute* FieldHandle(int iFieldNumber)
  {
    return reinterpret_cast<KelCldAttribute*>(static_cast<intptr_t>(iFieldNumber));
  }
  static int FieldNumber(const KelCldAttribute* iField)
  {
    return static_cast<int>(reinterpret_cast<intptr_t>(iField));
  }

  // Resizes the buffer to exactly iSize bytes; fields that no longer fit are dropped (their
  // numbers are handed out again later). FALSE, nothing changed, without memory.
  KelBoolean Reserve(int iSize);
  // Changes the size of every field in place, keeping the first bytes of each; new bytes
  // are zero. FALSE, nothing changed, without memory.
  KelBoolean SetSizeOfField(int iSize);
  int GetSizeOfField() const { return _nbBytesPerField; }

  // A field: the most recently freed one, else a new one.
  KelCldAttribute* AddField();
  // Makes the number available again; the bytes are kept. FALSE for a number never handed out.
  KelBoolean FreeField(KelCldAttribute* iField);
  // First byte of a field handed out; any other number is a fatal error.
  char* GetField(KelCldAttribute* iField) const;

  int GetNbFields() const { return _nbFields; }
  int GetNbAllocatedBytes() const { return _nbAllocatedBytes; }

private:
  char* _data = nullptr;
  int _nbAllocatedBytes = 0;
  int _nbBytesPerField = 0;
  int _nbFields = 0;          // handed out so far, freed ones included
  KelRawCollint _freeFields;  // 0-based indices, in the order they were freed
};

#endif
