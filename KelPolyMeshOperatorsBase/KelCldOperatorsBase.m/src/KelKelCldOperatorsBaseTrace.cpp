#include "KelKelCldOperatorsBaseTrace.h"

KelTrace KelKelCldOperatorsBaseTrace("KelCldOperators", "Traces for module KelCldOperators", "STDERR");
