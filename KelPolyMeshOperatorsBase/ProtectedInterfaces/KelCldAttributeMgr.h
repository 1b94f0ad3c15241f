#ifndef KelCldAttributeMgr_h
#define KelCldAttributeMgr_h
// Layout of the attribute fields of one kind of element (vertices, faces or edges): which
// attribute numbers exist, and at which byte offset and with which size each lies inside an
// element's field. The storage itself is a KelCldFieldData.
//
// - Attribute numbers start at 1. A new attribute takes the first gap of the layout that
//   holds it (gaps come from unregistered attributes), else goes after the last one.
// - The minimum size of a field is the end of the furthest attribute, 0 with none.
// - Copying a manager gives an empty one; assigning to a manager leaves it as it was.

#include "KelBaseUnknown.h"
#include "KelRawColl.h"

struct KelCldAttributeRecord {
  int offset;  // bytes from the start of the field
  int size;    // bytes
};

class KelCldAttributeMgr : public KelBaseUnknown {
  KelDeclareClass

public:
  KelCldAttributeMgr() = default;
  KelCldAttributeMgr(const KelCldAttributeMgr& iOther);
  KelCldAttributeMgr& operator=(const KelCldAttributeMgr&) { return *this; }
  ~KelCldAttributeMgr() override;

  // FALSE when iAttribute < 1, iSize < 0 or the attribute is already registered.
  KelBoolean Register(int iAttribute, int iSize);
  KelBoolean Unregister(int iAttribute);
  KelBoolean IsRegistered(int iAttribute) const;

  // Copy the attribute's registered size between a field and a value; FALSE when the
  // attribute is not registered.
  KelBoolean SetAttributeData(char* ioField, int iAttribute, const char* iValue) const;
  KelBoolean GetAttributeData(char* iField, int iAttribute, char* oValue) const;

  // 0 when not registered.
  int GetAttributeSize(int iAttribute) const;
  // Null when not registered.
  const KelCldAttributeRecord* GetAttributeRecord(int iAttribute) const;
  int GetMinimumSizeOfField() const;
  // Offset that a new attribute of iSize bytes would get.
  int GetValidOffset(int iSize) const;

  // Forgets every attribute; the numbers used so far keep their (empty) entries.
  void DeleteAttributeRecords();

private:
  KelCldAttributeRecord* Record(int iAttribute) const;

  KelRawCollPV _records;  // entry i: the record of attribute i, null when not registered
};

#endif
