#include "ui/calc/CalcPage.h"

// The pages signal through Qt; this unit carries their meta-object code.
