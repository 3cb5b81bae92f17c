C     mag.f: mbn magnitudes of three readings with the parameters of
C     mbn.par, through the routines of bodywave_mag. The program sees
C     the parameter tables through the common areas of mbn_common.inc.
C
C     gfortran -o mag mag.f $(pkg-config --cflags --libs seismo-modules)
      PROGRAM MAG
      IMPLICIT NONE
      INCLUDE 'mbn_common.inc'
      REAL COMPUTE_MBN, MB, STC, SRC
      REAL AMP(3), PER(3), DIST(3), VEL(3), HF(3)
      CHARACTER*5 STA(3)
      INTEGER I
      EXTERNAL READ_MBN
      DATA AMP /250.0, 80.0, 80.0/, PER /0.4, 0.6, 0.6/
      DATA DIST /900.0, 400.0, 400.0/, VEL /7.9, 3.6, 3.6/
      DATA HF /0.0, 0.0, 1.0/, STA /'HFS  ', 'NRA0 ', 'NRA0 '/
C
      OPEN (10, FILE='mbn.par', STATUS='OLD')
      CALL READ_MBN(10)
      CLOSE (10)
      WRITE (6, '(A,I3,A,I3)') ' stations:', STATION_COUNT,
     &  '  source regions:', SOURCE_COUNT
      WRITE (6, '(1X,A20)') (SOURCE_NAME(I)(1:20), I = 1, SOURCE_COUNT)
C
C     Epicentre at 30 E, 75 N: in the Barents Sea region.
      DO 10 I = 1, 3
        MB = COMPUTE_MBN(AMP(I), PER(I), 30.0, 75.0, DIST(I), VEL(I),
     &    STA(I), STC, SRC, HF(I))
        WRITE (6, '(1X,A5,A,F6.2,A,F6.2,A,F6.2)') STA(I), ' mbn',
     &    MB, '  station corr.', STC, '  source corr.', SRC
   10 CONTINUE
      END
