#include "KelKelCldExtensionsTrace.h"

KelTrace KelKelCldExtensionsTrace("KelCldExtensions", "Traces for module KelCldExtensions", "STDERR");
