// Conversion between published property values and form-description values, by property type:
// enumerations by value name (colours and character sets also by number), sets by value names,
// booleans as True/False, integers, reals, strings, characters, string lists and binary data.
#pragma once

#include "FormValue.h"

#include <QMetaProperty>
#include <QVariant>

#include <optional>

// The value to write to `Property`; sets `Error` when the value does not fit it.
QVariant FormValueToVariant(QMetaProperty const& Property, TFormValue const& Value, QString& Error);
// The stored form of a property value; nullopt for types this framework does not store.
std::optional<TFormValue> VariantToFormValue(QMetaProperty const& Property, QVariant const& Value);
