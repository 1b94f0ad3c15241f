#ifndef KelKelCldOperatorsBaseTrace_h
#define KelKelCldOperatorsBaseTrace_h
// Trace object of the module KelCldOperatorsBase (operators).

#include "KelTrace.h"

extern KelTrace KelKelCldOperatorsBaseTrace;

#endif
