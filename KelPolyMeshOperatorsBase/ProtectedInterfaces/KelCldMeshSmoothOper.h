#ifndef KelCldMeshSmoothOper_h
#define KelCldMeshSmoothOper_h
// Parameters, volume measure and uniform scaling shared by the implicit smoothers. It has no
// smoothing step of its own.
//
// Volume is the signed volume enclosed by the valid triangles, holes closed by a fan from the
// centroid of each boundary scan of the polygon (every scan must be closed); it is positive for
// outward-facing triangles. Build the scans (BuildBoundaryScans) first on a mesh with holes.

#include "KelCldGeometricalOper.h"

class KelCldMeshSmoothOper : public KelCldGeometricalOper {
  KelDeclareClass

public:
  KelCldMeshSmoothOper() = default;

  // Clamped to 0..1.
  void SetIntensity(double iIntensity);
  double GetIntensity() const { return _intensity; }
  void SetTimeStep(int iTimeStep) { _timeStep = iTimeStep; }
  int GetTimeStep() const { return _timeStep; }
  void SetTolerance(double iTolerance) { _tolerance = iTolerance; }
  double GetTolerance() const { return _tolerance; }
  void SetMaxDeviation(double iMaxDeviation) { _maxDeviation = iMaxDeviation; }
  double GetMaxDeviation() const { return _maxDeviation; }
  void SetSmoothHoles(unsigned char iSmoothHoles) { _smoothHoles = iSmoothHoles; }
  unsigned char GetSmoothHoles() const { return _smoothHoles; }
  void SetToleranceFlag(unsigned char iFlag) { _toleranceFlag = iFlag; }
  unsigned char GetToleranceFlag() const { return _toleranceFlag; }
  void SetVolumePreserve(unsigned char iVolumePreserve) { _volumePreserve = iVolumePreserve; }
  unsigned char GetVolumePreserve() const { return _volumePreserve; }

  // 0 for a null polygon.
  virtual float Volume(KelCldPolygon* iPolygon);
  // Multiplies every vertex position by iFactor (about the origin).
  void Scale(KelCldPolygon* iPolygon, float iFactor);
  // Six times the signed volume of the tetrahedron (origin, P, Q, R).
  float PyramidVolume(float* iP, float* iQ, float* iR);
  // Writes the parameters to the operators' trace when it is on.
  void PrintParameters();

private:
  double _intensity = 1.0;
  int _timeStep = 1;
  double _tolerance = 0.1;
  double _maxDeviation = 0.0;
  unsigned char _smoothHoles = 1;
  unsigned char _toleranceFlag = 0;
  unsigned char _volumePreserve = 0;
};

#endif
