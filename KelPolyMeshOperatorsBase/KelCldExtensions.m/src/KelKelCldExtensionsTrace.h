#ifndef KelKelCldExtensionsTrace_h
#define KelKelCldExtensionsTrace_h
// Trace object of the module KelCldExtensions (mesh data model).

#include "KelTrace.h"

extern KelTrace KelKelCldExtensionsTrace;

#endif
