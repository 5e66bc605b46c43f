#include "core/app/ConfigTable.h"

TConfigTable TConfigTable::Defaults(const QString& sfxFolder) {
  TConfigTable t;
  t.AlarmWaveFile = sfxFolder + QStringLiteral("Alarm.wav");
  return t;
}
