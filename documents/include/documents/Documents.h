// Everything the documents layer offers, for programs that drive documents
// without a window (the command-line program): the store, the five document
// kinds, the host and presenter interfaces, the plain host and the messages.
#pragma once

#include "documents/DataDocuments.h"
#include "documents/DocumentPresenter.h"
#include "documents/MainWindowHost.h"
#include "documents/PlainHost.h"
#include "documents/SequenceDocuments.h"
#include "documents/VeskConstants.h"
#include "documents/VeskMessages.h"
#include "documents/VeskObjects.h"
#include "documents/VeskStore.h"
