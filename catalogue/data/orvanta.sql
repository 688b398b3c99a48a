-- Sample database of the catalogue application (orvanta.mdb).
-- Built by vbdb_load: the CREATE statements make the tables, the other
-- statements run through the database engine, so dates written as text are
-- stored as dates. The backup tables are copies of the live tables.

CREATE TABLE CUSTOMERS (
  CUSTID LONG NOT NULL PRIMARY KEY,
  NAME TEXT(255) COLLATE NOCASE,
  STREET TEXT(255) COLLATE NOCASE,
  CITYSTATEZIP TEXT(255) COLLATE NOCASE,
  PHONE TEXT(255) COLLATE NOCASE
);

CREATE TABLE ORDERS (
  ORDERID LONG NOT NULL PRIMARY KEY,
  CUSTID LONG,
  ORDERDATE DATETIME,
  CARDTYPE TEXT(255) COLLATE NOCASE,
  CARDNUMB TEXT(255) COLLATE NOCASE,
  EXPDATE TEXT(255) COLLATE NOCASE,
  PRODID LONG,
  QUANTITY LONG,
  TOTAL CURRENCY,
  STATUS TEXT(255) COLLATE NOCASE
);

CREATE TABLE PRODUCTS (
  PRODID LONG NOT NULL PRIMARY KEY,
  COMPOSER TEXT(255) COLLATE NOCASE,
  COMPOSITION TEXT(255) COLLATE NOCASE,
  PERFORMER TEXT(255) COLLATE NOCASE,
  CONDUCTOR TEXT(255) COLLATE NOCASE,
  PRICE CURRENCY,
  DESCRIPTION LONGTEXT COLLATE NOCASE,
  IMAGE TEXT(255) COLLATE NOCASE
);

CREATE TABLE CUSTOMERSbak (
  CUSTID LONG NOT NULL PRIMARY KEY,
  NAME TEXT(255) COLLATE NOCASE,
  STREET TEXT(255) COLLATE NOCASE,
  CITYSTATEZIP TEXT(255) COLLATE NOCASE,
  PHONE TEXT(255) COLLATE NOCASE
);

CREATE TABLE ORDERSbak (
  ORDERID LONG NOT NULL PRIMARY KEY,
  CUSTID LONG,
  ORDERDATE DATETIME,
  CARDTYPE TEXT(255) COLLATE NOCASE,
  CARDNUMB TEXT(255) COLLATE NOCASE,
  EXPDATE TEXT(255) COLLATE NOCASE,
  PRODID LONG,
  QUANTITY LONG,
  TOTAL CURRENCY,
  STATUS TEXT(255) COLLATE NOCASE
);

CREATE TABLE PRODUCTSbak (
  PRODID LONG NOT NULL PRIMARY KEY,
  COMPOSER TEXT(255) COLLATE NOCASE,
  COMPOSITION TEXT(255) COLLATE NOCASE,
  PERFORMER TEXT(255) COLLATE NOCASE,
  CONDUCTOR TEXT(255) COLLATE NOCASE,
  PRICE CURRENCY,
  DESCRIPTION LONGTEXT COLLATE NOCASE,
  IMAGE TEXT(255) COLLATE NOCASE
);

-- Indexes on the columns the program searches by: a composer's albums (the
-- composer tree) and a customer's orders; the keys have theirs. Texts are
-- compared without regard to case, and the composer index is sorted the same
-- way. The indexes leave out empty (Null) values, so they serve only reads
-- filtered on their column: reads of a whole table, such as the list of
-- composers, keep the table's order.
CREATE INDEX PRODUCTS_COMPOSER ON PRODUCTS (COMPOSER COLLATE NOCASE) WHERE COMPOSER IS NOT NULL;
CREATE INDEX ORDERS_CUSTID ON ORDERS (CUSTID) WHERE CUSTID IS NOT NULL;

-- Customers: the administrator (-2), the new-customer entry (-3), the
-- "Admin" user and the ordinary customers.
INSERT INTO CUSTOMERS VALUES (-3, 'New Customer', '', '', '');
INSERT INTO CUSTOMERS VALUES (-2, 'Database Admin', '1 Orvanta Plaza', 'Portland, OR 97204', '(503) 555-0100');
INSERT INTO CUSTOMERS VALUES (1, 'Admin', '1 Orvanta Plaza', 'Portland, OR 97204', '(503) 555-0101');
INSERT INTO CUSTOMERS VALUES (2, 'Margaret Olsen', '418 Linden Avenue', 'Madison, WI 53703', '(608) 555-0142');
INSERT INTO CUSTOMERS VALUES (3, 'David Kim', '77 Harbor Street', 'Seattle, WA 98101', '(206) 555-0178');
INSERT INTO CUSTOMERS VALUES (4, 'Laura Bennett', '2950 Maple Drive', 'Columbus, OH 43215', '(614) 555-0119');
INSERT INTO CUSTOMERS VALUES (5, 'Thomas Reyes', '1204 Alamo Plaza', 'San Antonio, TX 78205', '(210) 555-0163');
INSERT INTO CUSTOMERS VALUES (6, 'Susan Patel', '36 Beacon Street', 'Boston, MA 02108', '(617) 555-0127');
INSERT INTO CUSTOMERS VALUES (7, 'Henry Walsh', '510 Peachtree Road', 'Atlanta, GA 30308', '(404) 555-0185');

-- Products: recordings by composer.
INSERT INTO PRODUCTS VALUES (1, 'Beethoven', 'Symphony No. 5 in C minor', 'Vienna Festival Orchestra', 'Anton Keller', 15.99,
  'The four famous opening notes and a finale in blazing C major, in a taut and dramatic reading.', 'beethoven5.jpg');
INSERT INTO PRODUCTS VALUES (2, 'Beethoven', 'Symphony No. 9 in D minor', 'Vienna Festival Orchestra and Chorus', 'Anton Keller', 18.99,
  'The Choral symphony complete, with four soloists and full chorus in the Ode to Joy.', 'beethoven9.jpg');
INSERT INTO PRODUCTS VALUES (3, 'Beethoven', 'Piano Concerto No. 5 Emperor', 'Clara Hoffmann, piano; Rhine Chamber Orchestra', 'Martin Brandt', 14.99,
  'The last and grandest of the piano concertos, heroic outer movements around a hushed Adagio.', 'beethoven_emperor.jpg');
INSERT INTO PRODUCTS VALUES (4, 'Beethoven', 'Moonlight and Pathetique Sonatas', 'Clara Hoffmann, piano', '', 12.99,
  'Two of the best loved piano sonatas in one recital recording.', 'beethoven_sonatas.jpg');
INSERT INTO PRODUCTS VALUES (5, 'Mozart', 'Symphony No. 40 in G minor', 'Salzburg Court Players', 'Elisabeth Maurer', 13.99,
  'Restless and elegant, one of the two symphonies in a minor key.', 'mozart40.jpg');
INSERT INTO PRODUCTS VALUES (6, 'Mozart', 'Eine kleine Nachtmusik', 'Salzburg Court Players', 'Elisabeth Maurer', 11.99,
  'The serenade for strings, coupled with two divertimenti.', 'mozart_nachtmusik.jpg');
INSERT INTO PRODUCTS VALUES (7, 'Mozart', 'Requiem in D minor', 'Salzburg Cathedral Choir and Orchestra', 'Paul Lindner', 16.99,
  'The unfinished Requiem in its traditional completion, recorded in a resonant church acoustic.', 'mozart_requiem.jpg');
INSERT INTO PRODUCTS VALUES (8, 'Bach', 'Brandenburg Concertos 1-6', 'Leipzig Baroque Ensemble', 'Johann Weber', 19.99,
  'All six concertos on period instruments, on two discs.', 'bach_brandenburg.jpg');
INSERT INTO PRODUCTS VALUES (9, 'Bach', 'Goldberg Variations', 'Ilse Brenner, harpsichord', '', 14.50,
  'The aria and its thirty variations, played on a copy of a 1730s harpsichord.', 'bach_goldberg.jpg');
INSERT INTO PRODUCTS VALUES (10, 'Bach', 'Mass in B minor', 'Leipzig Baroque Ensemble and Choir', 'Johann Weber', 21.99,
  'A large-scale choral masterpiece in a clear, light-footed performance.', 'bach_mass.jpg');
INSERT INTO PRODUCTS VALUES (11, 'Tchaikovsky', 'The Nutcracker Suite', 'Moscow Festival Orchestra', 'Nikolai Petrov', 12.99,
  'The ballet suite with the Dance of the Sugar Plum Fairy and the Waltz of the Flowers.', 'tchaikovsky_nutcracker.jpg');
INSERT INTO PRODUCTS VALUES (12, 'Tchaikovsky', 'Symphony No. 6 Pathetique', 'Moscow Festival Orchestra', 'Nikolai Petrov', 15.99,
  'The composer''s last symphony, ending in a slow and sorrowful finale.', 'tchaikovsky6.jpg');
INSERT INTO PRODUCTS VALUES (13, 'Brahms', 'Symphony No. 1 in C minor', 'Hamburg Philharmonic Society', 'Greta Lang', 15.49,
  'Twenty years in the making, a symphony of great weight and warmth.', 'brahms1.jpg');
INSERT INTO PRODUCTS VALUES (14, 'Brahms', 'Violin Concerto in D major', 'Sofia Marin, violin; Hamburg Philharmonic Society', 'Greta Lang', 14.99,
  'A lyrical concerto with a lively Hungarian finale.', 'brahms_violin.jpg');
INSERT INTO PRODUCTS VALUES (15, 'Vivaldi', 'The Four Seasons', 'Venice Chamber Soloists', 'Lucia Romano', 11.49,
  'Four violin concertos painting spring, summer, autumn and winter.', 'vivaldi_seasons.jpg');
INSERT INTO PRODUCTS VALUES (16, 'Vivaldi', 'Gloria in D major', 'Venice Chamber Soloists and Choir', 'Lucia Romano', 13.49,
  'The joyful setting of the Gloria, with two solo sopranos.', 'vivaldi_gloria.jpg');

-- Orders of the ordinary customers.
INSERT INTO ORDERS VALUES (1, 2, '09/14/26', 'Visa', '4111 1111 1111 1111', '08/28', 1, 2, 35.98, 'Shipped');
INSERT INTO ORDERS VALUES (2, 2, '10/02/26', 'Visa', '4111 1111 1111 1111', '08/28', 8, 1, 21.99, 'Shipped');
INSERT INTO ORDERS VALUES (3, 3, '10/05/26', 'MasterCard', '5500 0000 0000 0004', '11/27', 5, 1, 15.99, 'Shipped');
INSERT INTO ORDERS VALUES (4, 3, '10/21/26', 'MasterCard', '5500 0000 0000 0004', '11/27', 15, 3, 40.47, 'Order Initiated');
INSERT INTO ORDERS VALUES (5, 4, '10/30/26', 'American Express', '3400 000000 00009', '02/29', 2, 1, 20.99, 'Shipped');
INSERT INTO ORDERS VALUES (6, 4, '11/03/26', 'American Express', '3400 000000 00009', '02/29', 11, 2, 29.98, 'Order Initiated');
INSERT INTO ORDERS VALUES (7, 5, '11/08/26', 'Visa', '4012 8888 8888 1881', '05/28', 13, 1, 17.49, 'Shipped');
INSERT INTO ORDERS VALUES (8, 5, '11/15/26', 'Visa', '4012 8888 8888 1881', '05/28', 9, 2, 33.00, 'Order Initiated');
INSERT INTO ORDERS VALUES (9, 6, '11/19/26', 'MasterCard', '5105 1051 0510 5100', '09/27', 7, 1, 18.99, 'Shipped');
INSERT INTO ORDERS VALUES (10, 6, '11/27/26', 'MasterCard', '5105 1051 0510 5100', '09/27', 14, 1, 16.99, 'Order Initiated');
INSERT INTO ORDERS VALUES (11, 7, '12/01/26', 'Visa', '4222 2222 2222 2', '03/30', 4, 4, 59.96, 'Order Initiated');
INSERT INTO ORDERS VALUES (12, 7, '12/03/26', 'Visa', '4222 2222 2222 2', '03/30', 16, 1, 15.49, 'Order Initiated');

-- The pristine copies the restore reads from.
INSERT INTO CUSTOMERSbak SELECT CUSTOMERS.* FROM CUSTOMERS;
INSERT INTO ORDERSbak SELECT ORDERS.* FROM ORDERS;
INSERT INTO PRODUCTSbak SELECT PRODUCTS.* FROM PRODUCTS;
