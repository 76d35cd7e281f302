#include "render/emf_writer.h"
