// Factories of the extension objects made on demand; each joins this file together with the
// class it makes.
#include "KelCldInterfaces.h"
