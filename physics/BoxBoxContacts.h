// physics/BoxBoxContacts.h
#pragma once
#include "physics/Contact.h"

namespace zumek {

class BoxCollider;

/// Appends the contacts of two overlapping boxes, A = `a` and B = `b`, every normal pointing
/// from A towards B: the corners of either box inside the other, the crossed edges that touch,
/// and the corners pressed into the face of least overlap (which also holds up boxes of the same
/// size meeting face to face, whose corners lie exactly on each other's sides).
void GenerateBoxBoxContacts(const BoxCollider& a, const BoxCollider& b, ContactList& contacts);

} // namespace zumek
