#include <gtest/gtest.h>

#include "db/syntax/SyntaxTestSupport.h"

namespace db::embedded::syntax {
namespace {

using testing::shape;

TEST(QueryShapeTest, ClausesJoinsAndHints) {
  EXPECT_EQ(shape("select distinct top (5) percent with ties a.*, b.x as y, z = a.c + 1, 'w' = 2, a.d 'q' "
                  "into #t from dbo.A a with (nolock, updlock) inner join B b on a.id = b.id "
                  "left outer join C on C.k = b.k cross join D cross apply dbo.F(a.id) f "
                  "outer apply (select 1 v) g where a.x > 0 group by a.x, b.y having count(*) > 1 order by 1 desc, b.x"),
            "(query (select distinct (top 5 percent with-ties) a.* (as b.x y) (as (+ a.c 1) z) (as 2 [w]) "
            "(as a.d [q]) (into #t) (from (outer-apply (cross-apply (cross-join (left-join (join (as dbo.A a "
            "(with NOLOCK UPDLOCK)) (as B b) (= a.id b.id)) C (= C.k b.k)) D) (as (call dbo.F a.id) f)) "
            "(as (derived (select (as 1 v))) g))) (where (> a.x 0)) (group a.x b.y) (having (> (call count *) 1))) "
            "(order 1 desc b.x))");
  EXPECT_EQ(shape("select x from (select a x from t) as q (x) join (t1 join t2 on t1.a = t2.a) on q.x = t1.a, @tv v"),
            "(select x (from (join (as (derived (select (as a x) (from t))) q (x)) (join t1 t2 (= t1.a t2.a)) "
            "(= q.x t1.a)) (as @tv v)))");
}

TEST(QueryShapeTest, IntersectBindsTighterThanUnionAndExcept) {
  EXPECT_EQ(shape("select top 10 * from t union all select * from u union select * from v "
                  "intersect select * from w except select * from z order by 1"),
            "(query (except (union (union-all (select (top 10) * (from t)) (select * (from u))) "
            "(intersect (select * (from v)) (select * (from w)))) (select * (from z))) (order 1))");
}

TEST(QueryShapeTest, CommonTableExpressions) {
  EXPECT_EQ(shape("with c (n) as (select 1 union all select n + 1 from c where n < 10), d as (select * from c) "
                  "select * from d"),
            "(query (cte c (n) (union-all (select 1) (select (+ n 1) (from c) (where (< n 10))))) "
            "(cte d (select * (from c))) (select * (from d)))");
  EXPECT_EQ(shape("select 1;with c as (select 1 a) delete from t where a in (select a from c)"),
            "(select 1)\n(delete (cte c (select (as 1 a))) t (where (in a (select a (from c)))))");
}

TEST(DataStatementShapeTest, InsertUpdateDeleteTruncate) {
  EXPECT_EQ(shape("insert into t (a, b) values (1, default), (2, 3)"), "(insert t (a b) (values (1 default) (2 3)))");
  EXPECT_EQ(shape("insert t select * from u"), "(insert t (select * (from u)))");
  EXPECT_EQ(shape("insert into #t exec dbo.p 1, @a = 2"), "(insert #t (exec dbo.p 1 (@a = 2)))");
  EXPECT_EQ(shape("insert into t default values"), "(insert t default-values)");
  EXPECT_EQ(shape("update top (10) t set a = 1, b += 2, @v = c = 3, @w = 4, t.d = default "
                  "from t join u on t.id = u.id where u.x = 1"),
            "(update (top 10) t (set (= a 1) (+= b 2) (= @v c 3) (= @w 4) (= t.d default)) "
            "(from (join t u (= t.id u.id))) (where (= u.x 1)))");
  EXPECT_EQ(shape("delete from t from t join u on t.id = u.id where u.x is null"),
            "(delete t (from (join t u (= t.id u.id))) (where (is-null u.x)))");
  EXPECT_EQ(shape("delete top (1) t where a = 1"), "(delete (top 1) t (where (= a 1)))");
  EXPECT_EQ(shape("truncate table dbo.t"), "(truncate dbo.t)");
  EXPECT_EQ(shape("select @a = a, @s += b from t"), "(select (= @a a) (+= @s b) (from t))");
}

TEST(DefinitionShapeTest, CreateTableColumnsAndConstraints) {
  EXPECT_EQ(shape("create table dbo.T (id int identity(1,1) not null constraint PK_T primary key clustered, "
                  "name nvarchar(50) collate Arabic_CI_AS null default N'', "
                  "ref int constraint FK_T foreign key references dbo.U(id) on delete cascade, "
                  "c as (id * 2) persisted, amt money check (amt >= 0), "
                  "constraint UQ_T unique nonclustered (name asc, ref desc), "
                  "foreign key (ref) references U (id) on update set null) on [PRIMARY]"),
            "(create-table dbo.T (column id int (identity 1 1) not-null (primary-key PK_T clustered)) "
            "(column name nvarchar(50) (collate Arabic_CI_AS) null (default N'')) "
            "(column ref int (foreign-key FK_T (references dbo.U (id) on-delete cascade))) "
            "(column c (as (* id 2) persisted)) (column amt money (check (>= amt 0))) "
            "(unique UQ_T nonclustered (name asc ref desc)) (foreign-key (ref) (references U (id) on-update set-null)) "
            "(on PRIMARY))");
}

TEST(DefinitionShapeTest, AlterTable) {
  EXPECT_EQ(shape("alter table t add a int null, b nvarchar(max) not null constraint DF_b default '' with values, "
                  "constraint CK_a check (a > 0)"),
            "(alter-table t (add (column a int null) (column b nvarchar(max) not-null (default DF_b '' with-values)) "
            "(check CK_a (> a 0))))");
  EXPECT_EQ(shape("alter table t alter column a decimal(18, 2) not null"),
            "(alter-table t (alter-column a decimal(18, 2) not-null))");
  // DROP items keep the kind last written; a bare name is a constraint.
  EXPECT_EQ(shape("alter table t drop column a, b"), "(alter-table t (drop (column a) (column b)))");
  EXPECT_EQ(shape("alter table t drop constraint a, column b, c"),
            "(alter-table t (drop (constraint a) (column b) (column c)))");
  EXPECT_EQ(shape("alter table t drop PK_t"), "(alter-table t (drop (constraint PK_t)))");
  EXPECT_EQ(shape("alter table t with nocheck add constraint FK_x foreign key (a) references u (a)"),
            "(alter-table t with-nocheck (add (foreign-key FK_x (a) (references u (a)))))");
  EXPECT_EQ(shape("alter table t with check check constraint FK_x, FK_y"),
            "(alter-table t with-check (check-constraint FK_x FK_y))");
  EXPECT_EQ(shape("alter table t nocheck constraint all"), "(alter-table t (nocheck-constraint all))");
  EXPECT_EQ(shape("alter table t add constraint DF_t_a default (0) for a"),
            "(alter-table t (add (default DF_t_a 0 for a)))");
}

TEST(DefinitionShapeTest, IndexesDropsAndDatabases) {
  EXPECT_EQ(shape("create unique clustered index IX on dbo.t (a asc, b desc) include (c, d) where a is not null "
                  "with (fillfactor = 80, pad_index = on) on [PRIMARY]"),
            "(create-index IX unique clustered (on dbo.t) (a asc b desc) (include c d) (where (is-not-null a)) "
            "(with FILLFACTOR=80 PAD_INDEX=ON) (filegroup PRIMARY))");
  EXPECT_EQ(shape("drop index IX on dbo.t, IX2 on t"), "(drop-index (IX on dbo.t) (IX2 on t))");
  EXPECT_EQ(shape("drop index t.IX, dbo.t.IX2"), "(drop-index (IX on t) (IX2 on dbo.t))");
  EXPECT_EQ(shape("drop table if exists a, dbo.b"), "(drop TABLE if-exists a dbo.b)");
  EXPECT_EQ(shape("drop proc p"), "(drop PROCEDURE p)");
  EXPECT_EQ(shape("create database Morav"), "(create-database Morav)");
}

TEST(ModuleShapeTest, ViewsKeepTheirWholeText) {
  const std::string text = "-- header\rCREATE VIEW dbo.V (a, b) WITH SCHEMABINDING AS\rselect x, y from dbo.T -- note\r"
                           "WITH CHECK OPTION";
  const Batch batch = parseBatch(text);
  ASSERT_EQ(batch.statements.size(), 1u);
  EXPECT_EQ(toSExpression(batch),
            "(create-view dbo.V (with SCHEMABINDING) (a b) (select x y (from dbo.T)) with-check-option)");
  const auto& view = batch.statements[0]->as<CreateViewStatement>();
  EXPECT_EQ(view.module.text, text);
  EXPECT_EQ(view.span.line, 2);
  EXPECT_EQ(view.query->span.line, 3);
  EXPECT_EQ(shape("create or alter view V2 as with c as (select 1 a) select a from c"),
            "(create-or-alter-view V2 (query (cte c (select (as 1 a))) (select a (from c))))");
}

TEST(ModuleShapeTest, TheThreeFormsOfFunction) {
  EXPECT_EQ(shape("create function dbo.F (@a int, @b nvarchar(10) = N'x') returns nvarchar(10) with schemabinding "
                  "as begin declare @r nvarchar(10); set @r = @b + cast(@a as nvarchar); return @r end"),
            "(create-function dbo.F (with SCHEMABINDING) ((@a int) (@b nvarchar(10) = N'x')) (returns nvarchar(10)) "
            "(declare (@r nvarchar(10))) (set @r = (+ @b (cast @a nvarchar))) (return @r))");
  EXPECT_EQ(shape("create function dbo.T1 (@a int) returns table as return (select * from t where id = @a)"),
            "(create-function dbo.T1 ((@a int)) (returns table) (return (select * (from t) (where (= id @a)))))");
  EXPECT_EQ(shape("create function dbo.T2 () returns table return with c as (select 1 a) select * from c"),
            "(create-function dbo.T2 () (returns table) (return (query (cte c (select (as 1 a))) (select * (from c)))))");
  EXPECT_EQ(shape("create function dbo.T3 (@a int) returns @r table (id int not null, v nvarchar(5)) as "
                  "begin insert into @r values (1, 'a') return end"),
            "(create-function dbo.T3 ((@a int)) (returns @r table (column id int not-null) (column v nvarchar(5))) "
            "(insert @r (values (1 'a'))) (return))");
}

TEST(ModuleShapeTest, ProceduresAndTriggersRunToTheEndOfTheBatch) {
  EXPECT_EQ(shape("create proc dbo.P @a int, @b int = 5 output, @c nvarchar(max) = null out with recompile as "
                  "set nocount on; if @a > 0 begin select @b = @a * 2 end else return -1; return 0"),
            "(create-procedure dbo.P (with RECOMPILE) ((@a int) (@b int = 5 output) (@c nvarchar(max) = null output)) "
            "(set-option NOCOUNT ON) (if (> @a 0) (block (select (= @b (* @a 2)))) (else (return (- 1)))) (return 0))");
  EXPECT_EQ(shape("create procedure P2 (@t dbo.TableType readonly) as select * from @t"),
            "(create-procedure P2 ((@t dbo.TableType readonly)) (select * (from @t)))");
  EXPECT_EQ(shape("alter trigger TRG on dbo.SUDUR after insert, delete as begin insert into H select * from inserted end"),
            "(alter-trigger TRG (on dbo.SUDUR after insert delete) (block (insert H (select * (from inserted)))))");
  // The body of a module may open with a common table expression.
  EXPECT_EQ(shape("create trigger TRG2 on t instead of update as\nwith c as (select * from deleted) select * from c"),
            "(create-trigger TRG2 (on t instead-of update) (query (cte c (select * (from deleted))) (select * (from c))))");
}

TEST(ProceduralShapeTest, VariablesAndOptions) {
  EXPECT_EQ(shape("declare @a int = 1, @b as nvarchar(10), @c decimal(18, 2) = 1.5"),
            "(declare (@a int 1) (@b nvarchar(10)) (@c decimal(18, 2) 1.5))");
  EXPECT_EQ(shape("declare @t table (id int primary key, name nvarchar(10) not null default 'x')"),
            "(declare (@t table (column id int (primary-key)) (column name nvarchar(10) not-null (default 'x'))))");
  EXPECT_EQ(shape("set nocount, xact_abort on set identity_insert dbo.t on set dateformat dmy "
                  "set transaction isolation level read committed set rowcount @n set ansi_nulls off"),
            "(set-option NOCOUNT XACT_ABORT ON)\n(set-option IDENTITY_INSERT dbo.t ON)\n(set-option DATEFORMAT DMY)\n"
            "(set-option TRANSACTION READ COMMITTED)\n(set-option ROWCOUNT @n)\n(set-option ANSI_NULLS OFF)");
}

TEST(ProceduralShapeTest, ControlOfFlowNests) {
  EXPECT_EQ(shape("while 1 = 1 begin if @i > 3 break else continue end"),
            "(while (= 1 1) (block (if (> @i 3) (break) (else (continue)))))");
  // ELSE may follow the semicolon that ends the THEN statement.
  EXPECT_EQ(shape("if 1 = 1 print 'a'; else print 'b'"), "(if (= 1 1) (print 'a') (else (print 'b')))");
  // ELSE belongs to the nearest IF.
  EXPECT_EQ(shape("if a = 1 if b = 1 print 1 else print 2"), "(if (= a 1) (if (= b 1) (print 1) (else (print 2))))");
  // RETURN takes a value only where one can begin.
  EXPECT_EQ(shape("print 'a' return 1 + 2"), "(print 'a')\n(return (+ 1 2))");
  EXPECT_EQ(shape("if 1 = 1 return select 1"), "(if (= 1 1) (return))\n(select 1)");
}

TEST(ProceduralShapeTest, ErrorsAndTransactions) {
  EXPECT_EQ(shape("begin try begin tran t1 insert into t values (1) commit tran t1 end try "
                  "begin catch if @@trancount > 0 rollback transaction; raiserror ('x %s', 16, 1, @m) with nowait, log; "
                  "throw end catch"),
            "(try (begin-tran t1) (insert t (values (1))) (commit t1) (catch (if (> @@trancount 0) (rollback)) "
            "(raiserror 'x %s' 16 1 @m (with NOWAIT LOG)) (throw)))");
  EXPECT_EQ(shape("save tran s1 rollback tran s1 commit work rollback begin transaction"),
            "(save-tran s1)\n(rollback s1)\n(commit)\n(rollback)\n(begin-tran)");
  EXPECT_EQ(shape("throw 50001, N'bad', 1"), "(throw 50001 N'bad' 1)");
}

TEST(ProceduralShapeTest, Cursors) {
  EXPECT_EQ(shape("declare c cursor local fast_forward read_only for select a from t where b = 1 for update of a"),
            "(declare-cursor c LOCAL FAST_FORWARD READ_ONLY (select a (from t) (where (= b 1))) for-update a)");
  EXPECT_EQ(shape("open c fetch next from c into @a, @b while @@fetch_status = 0 begin print @a fetch c into @a end "
                  "close c deallocate global c"),
            "(open c)\n(fetch next c (into @a @b))\n(while (= @@fetch_status 0) (block (print @a) (fetch next c (into @a))))"
            "\n(close c)\n(deallocate global c)");
}

TEST(ProceduralShapeTest, Execute) {
  EXPECT_EQ(shape("exec @rc = dbo.p 1, -2, $3, 'x', N'y', @a = @b output, @c = default, sp_col"),
            "(exec @rc = dbo.p 1 (- 2) $3 'x' N'y' (@a = @b output) (@c = default) sp_col)");
  EXPECT_EQ(shape("exec sp_executesql N'select @a', N'@a int', @a = 1"),
            "(exec sp_executesql N'select @a' N'@a int' (@a = 1))");
  EXPECT_EQ(shape("execute ('select ' + @cols + ' from t')"), "(exec-string 'select ' @cols ' from t')");
  // A batch that begins with a name runs that procedure.
  EXPECT_EQ(shape("sp_rename 'T.a', 'b', 'COLUMN'"), "(exec sp_rename 'T.a' 'b' 'COLUMN')");
  EXPECT_EQ(shape("dbo.p"), "(exec dbo.p)");
}

TEST(ProceduralShapeTest, GoIsANameNotASeparator) {
  // SQL Server's utilities split scripts at GO; the server itself reads it as a name.
  EXPECT_EQ(shape("select 1 GO"), "(select (as 1 GO))");
}

}  // namespace
}  // namespace db::embedded::syntax
