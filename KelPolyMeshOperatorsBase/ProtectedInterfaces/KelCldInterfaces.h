#ifndef KelCldInterfaces_h
#define KelCldInterfaces_h
// Static factories of the polygon extension objects that are not kept with the polygon
// (triangle selections, hole tables, mesh curves). Each factory makes a new object on the
// polygon it is given and hands out its interface with the only reference.

class KelCldInterfaces {
public:
  KelCldInterfaces() = delete;
};

#endif
