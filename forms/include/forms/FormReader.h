// Reading and writing form descriptions (see FormText.h for the text form).
//
// Reading creates the components of the description in order, owned by the root, each placed in
// the component it is nested in, and sets their published properties: enumerations and sets by
// value name, colours by name or number, events by the name of a method of the root (a slot or
// Q_INVOKABLE taking one TObject*), component references by name (resolved once everything is
// read), nested properties (Font.Style) through the object a property holds, collections
// (<item ... end>) and properties a class defines itself (DefineProperties). A published property
// of the root named like a component (`Q_PROPERTY(TButton* Button1 MEMBER Button1)`) is set to
// that component: the form's fields. Loaded runs on every component when all is read.
// An unknown class, property, value name or method aborts reading with EReadError naming it and
// its line.
//
// Writing stores every published property that differs from its default (the value of a freshly
// created object of the nearest registered class), except those a class lists as "NoDefault" in
// its class info, which are always written, and those not stored (STORED false, or
// IsPropertyStored). The components owned by the root are written in creation order, each nested
// in its parent component.
#pragma once

#include "Classes.h"
#include "FormText.h"

void ReadComponent(TComponent* Root, TFormObject const& Object);
void ReadComponentText(TComponent* Root, QString const& Text);

TFormObject WriteComponent(TComponent* Root);
QString WriteComponentText(TComponent* Root);
