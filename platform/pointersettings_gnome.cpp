// GIO first: its headers use the word `signals`, which Qt defines as a macro.
#include <gio/gio.h>

#include "platform/pointerbackends.h"

namespace platform::gnome {

namespace {

const char mouseSchema[] = "org.gnome.desktop.peripherals.mouse";

// Writes one key of the desktop's settings and waits until the backend has
// it. The schema is looked up first because g_settings_new aborts the
// process on a schema that is not installed.
bool writeKey(const char *schemaId, const char *key, GVariant *value) {
  g_variant_ref_sink(value);
  bool ok = false;
  GSettingsSchemaSource *source = g_settings_schema_source_get_default();
  GSettingsSchema *schema =
      source ? g_settings_schema_source_lookup(source, schemaId, TRUE) : nullptr;
  if (schema && g_settings_schema_has_key(schema, key)) {
    GSettingsSchemaKey *schemaKey = g_settings_schema_get_key(schema, key);
    // A wrong type or a value out of range would only raise a warning.
    if (g_variant_is_of_type(value, g_settings_schema_key_get_value_type(schemaKey)) &&
        g_settings_schema_key_range_check(schemaKey, value)) {
      GSettings *settings = g_settings_new_full(schema, nullptr, nullptr);
      ok = g_settings_set_value(settings, key, value);
      g_settings_sync();
      g_object_unref(settings);
    }
    g_settings_schema_key_unref(schemaKey);
  }
  if (schema)
    g_settings_schema_unref(schema);
  g_variant_unref(value);
  return ok;
}

} // namespace

bool hasKey(const char *key) {
  GSettingsSchemaSource *source = g_settings_schema_source_get_default();
  GSettingsSchema *schema =
      source ? g_settings_schema_source_lookup(source, mouseSchema, TRUE) : nullptr;
  const bool found = schema && g_settings_schema_has_key(schema, key);
  if (schema)
    g_settings_schema_unref(schema);
  return found;
}

bool setSpeed(double acceleration) {
  return writeKey(mouseSchema, "speed", g_variant_new_double(acceleration));
}

bool setDoubleClick(int ms) {
  return writeKey(mouseSchema, "double-click", g_variant_new_int32(ms));
}

} // namespace platform::gnome
