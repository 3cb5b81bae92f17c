C     upd.f: stores an event file again, under the name and ID that its
C     origin time gives, with refile_event.
C
C     refile_event reads and writes three common areas of the package:
C     /rea_new_format/ (first integer: phase lines in the new layout),
C     /new_nordic/ (first integer: write the new phase header line) and
C     /fil_com$/ (second integer set to 0). A program of the package has
C     them from the package's include files; here they are declared by
C     hand. The '$' in a common name needs gfortran's -fdollar-ok.
C     refile_event also calls routines of the package (topdir, dir_char,
C     indata, timsec, sectim, keldaopen, keldaclose, keldacode, inc_id);
C     without the package, the stand-ins in package_standins/ serve.
C
C     gfortran -fdollar-ok -Ipackage_standins -o upd upd.f
C       package_standins/*.f90 $PREFIX/lib/seismo/refile_event.o
      PROGRAM UPD
      IMPLICIT NONE
      INTEGER NEWFMT, NEWNOR, FILCOM(2)
      COMMON /REA_NEW_FORMAT/ NEWFMT
      COMMON /NEW_NORDIC/ NEWNOR
      COMMON /FIL_COM$/ FILCOM
      CHARACTER*80 EVENT(3), LINES(200), NEWFIL, TEXT
      CHARACTER*5 BASE
      INTEGER I, IOS
      EXTERNAL REFILE_EVENT
C
C     An event without hour and minute in its main header: the origin
C     time comes from its earliest phase, 00:15:48.52.
      EVENT(1) = ' 2008 0928           L'
      EVENT(1)(80:80) = '1'
      EVENT(2) = ' BERG SZ IP       0015 48.52'
      EVENT(3) = ' '
      OPEN (21, FILE='event.nor', STATUS='REPLACE')
      WRITE (21, '(A)') (EVENT(I), I = 1, 3)
      CLOSE (21)
C
C     Phase lines in the old layout, old phase header; ',,' stores the
C     event in the working directory instead of the database.
      NEWFMT = 0
      NEWNOR = 0
      BASE = ',,'
      OPEN (21, FILE='event.nor', STATUS='OLD')
      CALL REFILE_EVENT(21, NEWFIL, BASE, '26-12-10 01:40', 'ops',
     &  LINES, 'NEW')
      WRITE (6, '(A,A)') ' stored as ', NEWFIL(1:LEN_TRIM(NEWFIL))
      OPEN (22, FILE=NEWFIL, STATUS='OLD')
   10 READ (22, '(A)', IOSTAT=IOS) TEXT
      IF (IOS .EQ. 0) THEN
        WRITE (6, '(A)') TEXT
        GO TO 10
      END IF
      CLOSE (22)
      END
