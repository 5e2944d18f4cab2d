#pragma once

// Everything a caller of the persistence library needs in one include.
#include "boundary/base/GCollection.h"
#include "boundary/base/GFile.h"
#include "boundary/base/GIO.h"
#include "boundary/base/GMetaClass.h"
#include "boundary/base/GSortedCollection.h"
#include "boundary/base/GString.h"
#include "boundary/base/ifpstream.h"
#include "boundary/base/impstream.h"
#include "boundary/base/ipstream.h"
#include "boundary/base/ofpstream.h"
#include "boundary/base/ompstream.h"
#include "boundary/base/opstream.h"
