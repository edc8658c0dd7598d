// synth: synthetic surveys over a layered earth for the vesk command line.
#ifndef SYNTH_SYNTH_H
#define SYNTH_SYNTH_H

#include "synth/d0d_file.h"
#include "inversion/electrode_array.h"
#include "inversion/layered_earth.h"
#include "synth/survey.h"

#endif  // SYNTH_SYNTH_H
