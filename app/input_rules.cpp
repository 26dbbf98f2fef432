#include "app/input_rules.h"
